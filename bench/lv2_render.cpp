// A block-based command-line LV2 host on lilv for the side-by-side comparison (lv2_peers), for
// plug-ins that lv2file cannot load: it offers urid:map and connects every port (control and
// atom outputs, atom inputs with empty sequences), which lv2file does not.
//   lv2_render IN.wav OUT.wav PLUGIN_URI [SYMBOL=VALUE]...
// Audio runs in blocks of 1024 frames, as lv2file -b 1024 does.
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kBlock = 1024;
constexpr uint32_t kAtomCapacity = 8192;

std::vector<std::string> gUris;

LV2_URID Map(LV2_URID_Map_Handle, const char* uri) {
  for (size_t i = 0; i < gUris.size(); ++i)
    if (gUris[i] == uri) return static_cast<LV2_URID>(i + 1);
  gUris.push_back(uri);
  return static_cast<LV2_URID>(gUris.size());
}

const char* Unmap(LV2_URID_Unmap_Handle, LV2_URID urid) {
  return urid >= 1 && urid <= gUris.size() ? gUris[urid - 1].c_str() : nullptr;
}

int Fail(const std::string& message) {
  fprintf(stderr, "lv2_render: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Fail("usage: lv2_render IN.wav OUT.wav PLUGIN_URI [SYMBOL=VALUE]...");
  LilvWorld* world = lilv_world_new();
  lilv_world_load_all(world);
  LilvNode* uri = lilv_new_uri(world, argv[3]);
  const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
  if (!plugin) return Fail(std::string("no plug-in ") + argv[3]);

  SF_INFO info{};
  SNDFILE* in = sf_open(argv[1], SFM_READ, &info);
  if (!in) return Fail(std::string("cannot read ") + argv[1]);
  SNDFILE* out = sf_open(argv[2], SFM_WRITE, &info);
  if (!out) return Fail(std::string("cannot write ") + argv[2]);

  LV2_URID_Map map{nullptr, Map};
  LV2_URID_Unmap unmap{nullptr, Unmap};
  LV2_Feature mapFeature{LV2_URID__map, &map}, unmapFeature{LV2_URID__unmap, &unmap};
  const LV2_Feature* features[] = {&mapFeature, &unmapFeature, nullptr};
  LilvInstance* instance = lilv_plugin_instantiate(plugin, info.samplerate, features);
  if (!instance) return Fail("cannot instantiate the plug-in");

  LilvNode* audioClass = lilv_new_uri(world, LILV_URI_AUDIO_PORT);
  LilvNode* controlClass = lilv_new_uri(world, LILV_URI_CONTROL_PORT);
  LilvNode* atomClass = lilv_new_uri(world, LV2_ATOM__AtomPort);
  LilvNode* inputClass = lilv_new_uri(world, LILV_URI_INPUT_PORT);
  const uint32_t nPorts = lilv_plugin_get_num_ports(plugin);
  std::vector<float> controls(nPorts), defaults(nPorts);
  lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
  std::vector<std::vector<float>> audioIn, audioOut;
  std::vector<std::vector<uint64_t>> atoms;  // 8-byte aligned atom buffers
  std::vector<uint32_t> atomInputs;
  for (uint32_t i = 0; i < nPorts; ++i) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
    const bool input = lilv_port_is_a(plugin, port, inputClass);
    if (lilv_port_is_a(plugin, port, audioClass)) {
      auto& side = input ? audioIn : audioOut;
      side.emplace_back(kBlock);
      lilv_instance_connect_port(instance, i, side.back().data());
    } else if (lilv_port_is_a(plugin, port, controlClass)) {
      controls[i] = std::isnan(defaults[i]) ? 0.0f : defaults[i];
      lilv_instance_connect_port(instance, i, &controls[i]);
    } else if (lilv_port_is_a(plugin, port, atomClass)) {
      atoms.emplace_back(kAtomCapacity / 8);
      if (input) atomInputs.push_back(static_cast<uint32_t>(atoms.size() - 1));
      lilv_instance_connect_port(instance, i, atoms.back().data());
    } else {
      lilv_instance_connect_port(instance, i, nullptr);
    }
  }
  for (int a = 4; a < argc; ++a) {
    const char* eq = strchr(argv[a], '=');
    if (!eq) return Fail(std::string("want SYMBOL=VALUE, not ") + argv[a]);
    LilvNode* symbol =
        lilv_new_string(world, std::string(argv[a], static_cast<size_t>(eq - argv[a])).c_str());
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, symbol);
    lilv_node_free(symbol);
    if (!port) return Fail(std::string("no control port ") + argv[a]);
    controls[lilv_port_get_index(plugin, port)] = strtof(eq + 1, nullptr);
  }
  if (static_cast<int>(audioIn.size()) != info.channels || audioOut.size() != audioIn.size())
    return Fail("the file's channels do not match the plug-in's audio ports");

  const LV2_URID sequence = Map(nullptr, LV2_ATOM__Sequence), chunk = Map(nullptr, LV2_ATOM__Chunk);
  lilv_instance_activate(instance);
  std::vector<float> frames(kBlock * static_cast<size_t>(info.channels));
  const size_t channels = static_cast<size_t>(info.channels);
  for (sf_count_t n; (n = sf_readf_float(in, frames.data(), kBlock)) > 0;) {
    for (size_t i = 0; i < static_cast<size_t>(n); ++i)
      for (size_t c = 0; c < channels; ++c) audioIn[c][i] = frames[i * channels + c];
    // Atom inputs hold an empty sequence, atom outputs offer their whole capacity.
    for (size_t a = 0; a < atoms.size(); ++a) {
      auto* seq = reinterpret_cast<LV2_Atom_Sequence*>(atoms[a].data());
      const bool input = std::find(atomInputs.begin(), atomInputs.end(), a) != atomInputs.end();
      seq->atom.type = input ? sequence : chunk;
      seq->atom.size = input ? sizeof(LV2_Atom_Sequence_Body) : kAtomCapacity - sizeof(LV2_Atom);
      seq->body.unit = seq->body.pad = 0;
    }
    lilv_instance_run(instance, static_cast<uint32_t>(n));
    for (size_t i = 0; i < static_cast<size_t>(n); ++i)
      for (size_t c = 0; c < channels; ++c) frames[i * channels + c] = audioOut[c][i];
    if (sf_writef_float(out, frames.data(), n) != n) return Fail("cannot write the output");
  }
  lilv_instance_deactivate(instance);
  lilv_instance_free(instance);
  sf_close(in);
  if (sf_close(out) != 0) return Fail("cannot finish the output");
  for (LilvNode* node : {uri, audioClass, controlClass, atomClass, inputClass})
    lilv_node_free(node);
  lilv_world_free(world);
  return 0;
}
