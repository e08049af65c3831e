// A small LV2 host on lilv that loads TessorEQ.lv2 as real hosts do: the Turtle for discovery and
// metadata, the shared object for instances, a URID map for state. Ports are named by symbol.
#pragma once

#include <lilv/lilv.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

constexpr const char* kMonoURI = "https://fenwarde.audio/lv2/tessor-eq/mono";
constexpr const char* kStereoURI = "https://fenwarde.audio/lv2/tessor-eq/stereo";

// The system's LV2 specifications and the built bundle (not one a user installed), and a URID
// map that gives every URI the next number.
struct LV2Host {
  LV2Host() {
    LilvNode* path = lilv_new_string(world, "/usr/lib/lv2");
    lilv_world_set_option(world, LILV_OPTION_LV2_PATH, path);
    lilv_world_load_all(world);
    LilvNode* bundle = lilv_new_file_uri(world, nullptr, TESSOR_EQ_LV2_BUNDLE);
    lilv_world_load_bundle(world, bundle);
    lilv_node_free(bundle), lilv_node_free(path);
  }
  ~LV2Host() {
    for (LilvNode* n : nodes) lilv_node_free(n);
    lilv_world_free(world);
  }
  const LilvNode* Node(const char* uri) { return nodes.emplace_back(lilv_new_uri(world, uri)); }
  const LilvPlugin* Plugin(const char* uri) {
    return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), Node(uri));
  }
  LV2_URID Map(const char* uri) { return map.map(this, uri); }

  LilvWorld* world = lilv_world_new();
  std::vector<LilvNode*> nodes;
  std::vector<std::string> uris;
  LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) -> LV2_URID {
                     auto& uris = static_cast<LV2Host*>(h)->uris;
                     auto it = std::find(uris.begin(), uris.end(), uri);
                     if (it == uris.end()) it = uris.insert(it, uri);
                     return static_cast<LV2_URID>(it - uris.begin() + 1);
                   }};
  LV2_Feature mapFeature{LV2_URID__map, &map};
  const LV2_Feature* features[2] = {&mapFeature, nullptr};
};

// One instance with a buffer on every port: controls at their defaults, audio of 8192 frames.
class LV2Instance {
 public:
  LV2Instance(LV2Host& host, const char* uri, double rate)
      : mPlugin(host.Plugin(uri)),
        mInstance(lilv_plugin_instantiate(mPlugin, rate, host.features)) {
    const uint32_t n = lilv_plugin_get_num_ports(mPlugin);
    mControls.resize(n);
    lilv_plugin_get_port_ranges_float(mPlugin, nullptr, nullptr, mControls.data());
    for (uint32_t i = 0; i < n; ++i) {
      const LilvPort* port = lilv_plugin_get_port_by_index(mPlugin, i);
      mIndex[lilv_node_as_string(lilv_port_get_symbol(mPlugin, port))] = i;
      if (!lilv_port_is_a(mPlugin, port, host.Node(LILV_URI_AUDIO_PORT))) continue;
      const bool input = lilv_port_is_a(mPlugin, port, host.Node(LILV_URI_INPUT_PORT));
      (input ? mIns : mOuts).emplace_back(8192);
      (input ? mInPorts : mOutPorts).push_back(i);
    }
    if (mInstance) ConnectAll();
  }
  ~LV2Instance() {
    if (mInstance) lilv_instance_free(mInstance);
  }
  explicit operator bool() const { return mInstance != nullptr; }
  LilvInstance* Get() const { return mInstance; }

  void ConnectAll() {
    for (uint32_t i = 0; i < mControls.size(); ++i) Connect(i, &mControls[i]);
    for (size_t c = 0; c < mIns.size(); ++c) Connect(mInPorts[c], mIns[c].data());
    for (size_t c = 0; c < mOuts.size(); ++c) Connect(mOutPorts[c], mOuts[c].data());
  }
  void Connect(uint32_t port, void* data) { lilv_instance_connect_port(mInstance, port, data); }
  uint32_t Port(const std::string& symbol) const { return mIndex.at(symbol); }
  float& Control(const std::string& symbol) { return mControls[Port(symbol)]; }
  void Set(const std::map<std::string, float>& values) {
    for (const auto& v : values) Control(v.first) = v.second;
  }
  std::vector<float>& In(size_t c) { return mIns[c]; }
  std::vector<float>& Out(size_t c) { return mOuts[c]; }
  size_t Channels() const { return mOuts.size(); }

  // Runs the channels through in blocks cycling over blockSizes (0 included); returns the output.
  std::vector<std::vector<float>> Process(const std::vector<std::vector<float>>& channels,
                                          const std::vector<uint32_t>& blockSizes) {
    std::vector<std::vector<float>> out(channels.size());
    for (size_t done = 0, k = 0; done < channels[0].size();) {
      const size_t n =
          std::min<size_t>(blockSizes[k++ % blockSizes.size()], channels[0].size() - done);
      for (size_t c = 0; c < channels.size(); ++c)
        std::copy_n(channels[c].begin() + static_cast<long>(done), n, mIns[c].begin());
      lilv_instance_run(mInstance, static_cast<uint32_t>(n));
      for (size_t c = 0; c < channels.size(); ++c)
        out[c].insert(out[c].end(), mOuts[c].begin(), mOuts[c].begin() + static_cast<long>(n));
      done += n;
    }
    return out;
  }

 private:
  const LilvPlugin* mPlugin;
  LilvInstance* mInstance;
  std::map<std::string, uint32_t> mIndex;
  std::vector<float> mControls;  // audio ports' entries unused
  std::vector<std::vector<float>> mIns, mOuts;
  std::vector<uint32_t> mInPorts, mOutPorts;
};
