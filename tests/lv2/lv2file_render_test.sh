#!/usr/bin/env bash
# lv2file renders a WAV through TessorEQ.lv2 as a user would on the command line; the file is
# the one tessor-eq render writes through the component with the same settings, byte for byte.
#   lv2file_render_test.sh BUNDLE_DIR TESSOR_EQ COMPONENT_DIR
set -euo pipefail
bundle="$1" tessor_eq="$2" component="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/lv2"
ln -s "$bundle" "$work/lv2/TessorEQ.lv2"
cd "$work"

sox -R -n -r 44100 -c 2 -b 32 -e floating-point in.wav synth 3 pinknoise vol 0.7
LV2_PATH="$work/lv2:/usr/lib/lv2" lv2file -i in.wav -o lv2.wav \
  -p hpf:2 -p loshelf_level:4.5 -p mf_level_2:-6 -p gain:-1.5 -p oversample:1 \
  https://fenwarde.audio/lv2/tessor-eq/stereo
"$tessor_eq" render in.wav component.wav --component "$component" \
  --set HPF=2 --set "LoShelf Level=4.5" --set "MF Level 2=-6" --set Gain=-1.5 --set Oversample=1

if ! cmp -s lv2.wav component.wav; then
  echo "lv2file's output differs from the component's:" >&2
  cmp lv2.wav component.wav >&2 || true
  exit 1
fi
# The equaliser did something: the output is not the input.
if cmp -s lv2.wav in.wav; then
  echo "lv2file's output equals its input" >&2
  exit 1
fi
echo "lv2file rendered $(soxi -s lv2.wav) frames, identical to tessor-eq render"
