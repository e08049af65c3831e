#!/usr/bin/env bash
# lv2file renders a WAV through TessorEQ.lv2 as a user would; the file is byte for byte the one
# tessor-eq render writes through the component with the same settings.
#   lv2file_render_test.sh BUNDLE_DIR TESSOR_EQ COMPONENT_DIR
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/lv2" && ln -s "$1" "$work/lv2/TessorEQ.lv2" && cd "$work"
sox -R -n -r 44100 -c 2 -b 32 -e floating-point in.wav synth 3 pinknoise vol 0.7
LV2_PATH="$work/lv2:/usr/lib/lv2" lv2file -i in.wav -o lv2.wav -p hpf:2 -p loshelf_level:4.5 \
  -p mf_level_2:-6 -p gain:-1.5 -p oversample:1 https://fenwarde.audio/lv2/tessor-eq/stereo
"$2" render in.wav component.wav --component "$3" --set HPF=2 --set "LoShelf Level=4.5" \
  --set "MF Level 2=-6" --set Gain=-1.5 --set Oversample=1
# Both writers stamp their PEAK chunk with the time of writing (seconds, 4 bytes after the chunk's
# id, size and version); a render that straddles a second differs there and nowhere else.
clear_peak_time() {
  local at
  at="$(grep -obUa PEAK "$1" | head -1 | cut -d: -f1)"
  [ -n "$at" ] || { echo "$1 has no PEAK chunk" >&2; exit 1; }
  printf '\0\0\0\0' | dd of="$1" bs=1 seek=$((at + 12)) conv=notrunc status=none
}
clear_peak_time lv2.wav
clear_peak_time component.wav
cmp lv2.wav component.wav
! cmp -s lv2.wav in.wav || { echo "lv2file's output equals its input" >&2; exit 1; }
