// A small LV2 host on lilv, as real hosts load TessorEQ.lv2: the bundle's Turtle for discovery and
// metadata, the shared object for instances, a URID map for state. Ports are addressed by symbol.
#pragma once

#include <lilv/lilv.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

constexpr const char* kMonoURI = "https://fenwarde.audio/lv2/tessor-eq/mono";
constexpr const char* kStereoURI = "https://fenwarde.audio/lv2/tessor-eq/stereo";

// URIDs for the plug-ins' state: every URI gets the next number.
struct UridMap {
  std::vector<std::string> uris;
  LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) -> LV2_URID {
                     auto* self = static_cast<UridMap*>(h);
                     for (size_t i = 0; i < self->uris.size(); ++i)
                       if (self->uris[i] == uri) return static_cast<LV2_URID>(i + 1);
                     self->uris.push_back(uri);
                     return static_cast<LV2_URID>(self->uris.size());
                   }};
  LV2_Feature feature{LV2_URID__map, &map};
  const LV2_Feature* features[2] = {&feature, nullptr};
};

// The LV2 specifications and plug-ins the system installed, and the built bundle (not one a user
// installed).
class LV2World {
 public:
  LV2World() : mWorld(lilv_world_new()) {
    LilvNode* path = lilv_new_string(mWorld, "/usr/lib/lv2");
    lilv_world_set_option(mWorld, LILV_OPTION_LV2_PATH, path);
    lilv_node_free(path);
    lilv_world_load_all(mWorld);
    LilvNode* bundle = lilv_new_file_uri(mWorld, nullptr, TESSOR_EQ_LV2_BUNDLE);
    lilv_world_load_bundle(mWorld, bundle);
    lilv_node_free(bundle);
  }
  ~LV2World() { lilv_world_free(mWorld); }
  LilvWorld* World() const { return mWorld; }
  const LilvPlugin* Plugin(const char* uri) const {
    LilvNode* node = lilv_new_uri(mWorld, uri);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(mWorld), node);
    lilv_node_free(node);
    return plugin;
  }

 private:
  LilvWorld* mWorld;
};

// One instance with a buffer for every port: controls start at their defaults, audio buffers
// hold `maxFrames` samples. Run() feeds deinterleaved input through in blocks.
class LV2Instance {
 public:
  LV2Instance(const LilvPlugin* plugin, double rate, UridMap* urids, size_t maxFrames = 8192)
      : mPlugin(plugin), mInstance(lilv_plugin_instantiate(plugin, rate, urids->features)) {
    const uint32_t n = lilv_plugin_get_num_ports(plugin);
    std::vector<float> defaults(n);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    mControls.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
      const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
      const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
      mIndex[symbol] = i;
      if (IsAudio(i)) {
        (IsInput(i) ? mIns : mOuts).push_back(std::vector<float>(maxFrames));
        (IsInput(i) ? mInPorts : mOutPorts).push_back(i);
      } else {
        mControls[i] = defaults[i];
      }
    }
    if (mInstance) ConnectAll();
  }
  ~LV2Instance() {
    if (mInstance) lilv_instance_free(mInstance);
  }
  explicit operator bool() const { return mInstance != nullptr; }
  LilvInstance* Get() const { return mInstance; }

  void ConnectAll() {
    for (size_t i = 0; i < mControls.size(); ++i)
      if (!IsAudio(static_cast<uint32_t>(i))) Connect(static_cast<uint32_t>(i), &mControls[i]);
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

  // Runs channels[c] through in blocks cycling over blockSizes; returns the outputs.
  std::vector<std::vector<float>> Process(const std::vector<std::vector<float>>& channels,
                                          const std::vector<uint32_t>& blockSizes) {
    std::vector<std::vector<float>> out(channels.size());
    size_t done = 0, k = 0;
    const size_t frames = channels[0].size();
    while (done < frames) {
      const size_t n = std::min<size_t>(blockSizes[k++ % blockSizes.size()], frames - done);
      for (size_t c = 0; c < channels.size(); ++c)
        std::memcpy(mIns[c].data(), channels[c].data() + done, n * sizeof(float));
      lilv_instance_run(mInstance, static_cast<uint32_t>(n));
      for (size_t c = 0; c < channels.size(); ++c)
        out[c].insert(out[c].end(), mOuts[c].begin(), mOuts[c].begin() + static_cast<long>(n));
      done += n;
    }
    return out;
  }

 private:
  bool IsAudio(uint32_t i) const { return HasClass(i, LILV_URI_AUDIO_PORT); }
  bool IsInput(uint32_t i) const { return HasClass(i, LILV_URI_INPUT_PORT); }
  bool HasClass(uint32_t i, const char* uri) const {
    const LilvPort* port = lilv_plugin_get_port_by_index(mPlugin, i);
    const LilvNodes* classes = lilv_port_get_classes(mPlugin, port);
    LILV_FOREACH(nodes, it, classes)
    if (!std::strcmp(lilv_node_as_uri(lilv_nodes_get(classes, it)), uri)) return true;
    return false;
  }

  const LilvPlugin* mPlugin;
  LilvInstance* mInstance;
  std::map<std::string, uint32_t> mIndex;
  std::vector<float> mControls;
  std::vector<std::vector<float>> mIns, mOuts;
  std::vector<uint32_t> mInPorts, mOutPorts;
};
