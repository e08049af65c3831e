// TessorEQ.lv2 as a host sees it through lilv: what it offers, what it renders (bit for bit the
// component's audio through tessor-eq render) and what its saved state brings back.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>

#include <cmath>
#include <cstdio>

#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CommandRunner.h"
#include "tests/lv2/LV2Host.h"

namespace {

std::string NodeText(const LilvNode* node) { return node ? lilv_node_as_string(node) : ""; }

struct Setting {
  const char* symbol;
  const char* name;  // as tessor-eq knows it
  float value;
};

// Deterministic noise in -1.4..1.4 (some samples past full scale), one vector per channel.
std::vector<std::vector<float>> Noise(size_t channels, size_t frames, uint32_t seed) {
  std::vector<std::vector<float>> out(channels);
  for (size_t i = 0; i < frames; ++i)
    for (auto& channel : out) {
      seed = seed * 1664525u + 1013904223u;
      channel.push_back(
          static_cast<float>((static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 2.8));
    }
  return out;
}

// The same audio rendered by the component through the tessor-eq command.
std::vector<std::vector<float>> RenderWithComponent(const std::vector<std::vector<float>>& in,
                                                    int rate,
                                                    const std::vector<Setting>& settings) {
  TempDir dir;
  TestAudio audio;
  audio.channels = static_cast<int>(in.size());
  audio.rate = rate;
  for (size_t i = 0; i < in[0].size(); ++i)
    for (const auto& channel : in) audio.samples.push_back(channel[i]);
  EXPECT_TRUE(WriteTestAudio(dir / "in.wav", audio));
  std::vector<std::string> args = {"render", dir / "in.wav", dir / "out.wav", "--component",
                                   TESSOR_EQ_COMPONENT};
  for (const Setting& s : settings) {
    char value[32];
    snprintf(value, sizeof(value), "%.9g", s.value);
    args.insert(args.end(), {"--set", std::string(s.name) + "=" + value});
  }
  const CommandResult result = RunCommand(TESSOR_EQ_EXE, args);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const TestAudio rendered = ReadTestAudio(dir / "out.wav");
  std::vector<std::vector<float>> out(in.size());
  for (size_t i = 0; i < rendered.Frames(); ++i)
    for (size_t c = 0; c < out.size(); ++c) out[c].push_back(rendered.At(i, static_cast<int>(c)));
  return out;
}

void ExpectSameAsComponent(const char* uri, int rate, const std::vector<Setting>& settings) {
  LV2World world;
  UridMap urids;
  LV2Instance plug(world.Plugin(uri), rate, &urids);
  ASSERT_TRUE(plug);
  for (const Setting& s : settings) plug.Control(s.symbol) = s.value;
  const auto in = Noise(plug.Channels(), 20000, 7);
  lilv_instance_activate(plug.Get());
  // Blocks of one frame, of the host's usual sizes and longer than the wrapper's own block.
  const auto lv2 = plug.Process(in, {1, 333, 4096, 1024, 77, 0, 5000});
  const auto component = RenderWithComponent(in, rate, settings);
  ASSERT_EQ(component.size(), lv2.size());
  for (size_t c = 0; c < lv2.size(); ++c) {
    ASSERT_EQ(component[c].size(), lv2[c].size());
    EXPECT_EQ(0, std::memcmp(component[c].data(), lv2[c].data(), lv2[c].size() * sizeof(float)))
        << "channel " << c;
  }
}

const std::vector<Setting> kEveryBandActive = {{"hpf", "HPF", 3},
                                               {"loshelf_freq", "LoShelf Freq", 2},
                                               {"loshelf_level", "LoShelf Level", -6.5f},
                                               {"mf_1_freq", "MF 1 Freq", 4},
                                               {"mf_level_1", "MF Level 1", 3.5f},
                                               {"mf_2_freq", "MF 2 Freq", 5},
                                               {"mf_level_2", "MF Level 2", -8.2f},
                                               {"hishelf_level", "HiShelf Level", 2.2f},
                                               {"gain", "Gain", -3.1f}};

}  // namespace

TEST(LV2Discovery, BundleOffersMonoAndStereoEqualisersWithOneControlPerParameter) {
  LV2World world;
  struct Expected {
    const char* symbol;
    const char* name;
    float min, max, def;
    bool dB, enumeration, toggle;
  };
  const Expected controls[] = {{"hpf", "HPF", 0, 5, 0, false, true, false},
                               {"loshelf_freq", "LoShelf Freq", 0, 3, 0, false, true, false},
                               {"loshelf_level", "LoShelf Level", -20, 20, 0, true, false, false},
                               {"mf_1_freq", "MF 1 Freq", 0, 5, 2, false, true, false},
                               {"mf_level_1", "MF Level 1", -20, 20, 0, true, false, false},
                               {"mf_2_freq", "MF 2 Freq", 0, 6, 3, false, true, false},
                               {"mf_level_2", "MF Level 2", -20, 20, 0, true, false, false},
                               {"hishelf_level", "HiShelf Level", -20, 20, 0, true, false, false},
                               {"gain", "Gain", -20, 10, 0, true, false, false},
                               {"oversample", "Oversample", 0, 1, 0, false, false, true}};
  LilvWorld* w = world.World();
  LilvNode* db = lilv_new_uri(w, "http://lv2plug.in/ns/extensions/units#db");
  LilvNode* unit = lilv_new_uri(w, "http://lv2plug.in/ns/extensions/units#unit");
  LilvNode* enumeration = lilv_new_uri(w, LV2_CORE__enumeration);
  LilvNode* integer = lilv_new_uri(w, LV2_CORE__integer);
  LilvNode* toggled = lilv_new_uri(w, LV2_CORE__toggled);

  for (const char* uri : {kMonoURI, kStereoURI}) {
    SCOPED_TRACE(uri);
    const LilvPlugin* plugin = world.Plugin(uri);
    ASSERT_TRUE(plugin);
    const bool stereo = uri == kStereoURI;
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_EQ(NodeText(name), stereo ? "Tessor EQ (Stereo)" : "Tessor EQ (Mono)");
    lilv_node_free(name);
    LilvNode* author = lilv_plugin_get_author_name(plugin);
    EXPECT_EQ(NodeText(author), "Fenwarde Audio");
    lilv_node_free(author);
    EXPECT_EQ(NodeText(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
              LV2_CORE__EQPlugin);
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), stereo ? 14u : 12u);

    for (uint32_t i = 0; i < 10; ++i) {
      const Expected& e = controls[i];
      SCOPED_TRACE(e.symbol);
      const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
      EXPECT_EQ(NodeText(lilv_port_get_symbol(plugin, port)), e.symbol);
      LilvNode* portName = lilv_port_get_name(plugin, port);
      EXPECT_EQ(NodeText(portName), e.name);
      lilv_node_free(portName);
      LilvNode *def, *min, *max;
      lilv_port_get_range(plugin, port, &def, &min, &max);
      EXPECT_EQ(lilv_node_as_float(min), e.min);
      EXPECT_EQ(lilv_node_as_float(max), e.max);
      EXPECT_EQ(lilv_node_as_float(def), e.def);
      lilv_node_free(def), lilv_node_free(min), lilv_node_free(max);
      LilvNodes* units = lilv_port_get_value(plugin, port, unit);
      EXPECT_EQ(e.dB, units && lilv_nodes_contains(units, db));
      lilv_nodes_free(units);
      EXPECT_EQ(e.enumeration, lilv_port_has_property(plugin, port, enumeration));
      EXPECT_EQ(e.toggle, lilv_port_has_property(plugin, port, toggled));
      EXPECT_EQ(e.enumeration || e.toggle, lilv_port_has_property(plugin, port, integer));
    }
    const std::vector<std::string> audio =
        stereo ? std::vector<std::string>{"in_l", "in_r", "out_l", "out_r"}
               : std::vector<std::string>{"in", "out"};
    for (uint32_t i = 0; i < audio.size(); ++i)
      EXPECT_EQ(
          NodeText(lilv_port_get_symbol(plugin, lilv_plugin_get_port_by_index(plugin, 10 + i))),
          audio[i]);
  }
  for (LilvNode* n : {db, unit, enumeration, integer, toggled}) lilv_node_free(n);
}

TEST(LV2Discovery, StepsAreLabelledWithTheirDisplayTextsAndTheDefaultPresetHoldsTheDefaults) {
  LV2World world;
  const LilvPlugin* plugin = world.Plugin(kStereoURI);
  ASSERT_TRUE(plugin);
  auto labels = [&](uint32_t index) {
    std::map<float, std::string> byValue;
    LilvScalePoints* points =
        lilv_port_get_scale_points(plugin, lilv_plugin_get_port_by_index(plugin, index));
    LILV_FOREACH(scale_points, it, points) {
      const LilvScalePoint* p = lilv_scale_points_get(points, it);
      byValue[lilv_node_as_float(lilv_scale_point_get_value(p))] =
          NodeText(lilv_scale_point_get_label(p));
    }
    lilv_scale_points_free(points);
    return byValue;
  };
  EXPECT_EQ(
      labels(0),
      (std::map<float, std::string>{
          {0, "Off"}, {1, "30 Hz"}, {2, "50 Hz"}, {3, "80 Hz"}, {4, "160 Hz"}, {5, "300 Hz"}}));
  EXPECT_EQ(labels(5).at(3), "2500 Hz");
  EXPECT_EQ(labels(9), (std::map<float, std::string>{{0, "Off"}, {1, "On"}}));
  EXPECT_TRUE(labels(2).empty());

  LilvNode* presetClass = lilv_new_uri(world.World(), LV2_PRESETS__Preset);
  LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass);
  ASSERT_EQ(lilv_nodes_size(presets), 1u);
  UridMap urids;
  const LilvNode* preset = lilv_nodes_get(presets, lilv_nodes_begin(presets));
  lilv_world_load_resource(world.World(), preset);
  LilvState* state = lilv_state_new_from_world(world.World(), &urids.map, preset);
  ASSERT_TRUE(state);
  EXPECT_STREQ(lilv_state_get_label(state), "Default");
  const std::map<std::string, float> expected = {
      {"hpf", 0},  {"loshelf_freq", 0}, {"mf_1_freq", 2},    {"mf_2_freq", 3},
      {"gain", 0}, {"oversample", 0},   {"hishelf_level", 0}};
  std::map<std::string, float> values;
  lilv_state_emit_port_values(
      state,
      [](const char* symbol, void* data, const void* value, uint32_t size, uint32_t) {
        if (size == sizeof(float))
          (*static_cast<std::map<std::string, float>*>(data))[symbol] =
              *static_cast<const float*>(value);
      },
      &values);
  EXPECT_EQ(values.size(), 10u);
  for (const auto& e : expected) EXPECT_EQ(values[e.first], e.second) << e.first;
  lilv_state_free(state);
  lilv_nodes_free(presets);
  lilv_node_free(presetClass);
}

TEST(LV2Render, StereoWithEveryBandAndOversamplingIsTheComponentsAudioBitForBit) {
  std::vector<Setting> settings = kEveryBandActive;
  settings.push_back({"oversample", "Oversample", 1});
  ExpectSameAsComponent(kStereoURI, 48000, settings);
}

TEST(LV2Render, MonoIsTheComponentsAudioBitForBit) {
  ExpectSameAsComponent(kMonoURI, 44100, kEveryBandActive);
}

namespace {

// The host side of a state save or restore through lilv: port values from and to the instance.
const void* PortValue(const char* symbol, void* data, uint32_t* size, uint32_t* type) {
  auto* plug = static_cast<std::pair<LV2Instance*, UridMap*>*>(data);
  *size = sizeof(float);
  *type = plug->second->map.map(plug->second->map.handle, LV2_ATOM__Float);
  return &plug->first->Control(symbol);
}

}  // namespace

TEST(LV2State, SavedStateBringsBackEveryParameterEvenWhenTheHostLeavesThePortsAlone) {
  LV2World world;
  UridMap urids;
  const LilvPlugin* plugin = world.Plugin(kStereoURI);
  const auto in = Noise(2, 6000, 11);

  LV2Instance saved(plugin, 48000, &urids);
  saved.Set({{"hpf", 2},
             {"mf_level_1", 7.3f},
             {"hishelf_level", -4.4f},
             {"gain", 2.5f},
             {"oversample", 1}});
  lilv_instance_activate(saved.Get());
  saved.Process(in, {512});
  std::pair<LV2Instance*, UridMap*> source{&saved, &urids};
  LilvState* state = lilv_state_new_from_instance(plugin, saved.Get(), &urids.map, nullptr, nullptr,
                                                  nullptr, nullptr, PortValue, &source, 0, nullptr);
  ASSERT_TRUE(state);

  // The restored instance's ports stay at their defaults: only the plug-in's own state carries the
  // settings across.
  LV2Instance restored(plugin, 48000, &urids);
  lilv_instance_activate(restored.Get());
  restored.Process({std::vector<float>(64), std::vector<float>(64)}, {64});
  lilv_state_restore(state, restored.Get(), nullptr, nullptr, 0, nullptr);

  LV2Instance fresh(plugin, 48000, &urids);
  fresh.Set({{"hpf", 2},
             {"mf_level_1", 7.3f},
             {"hishelf_level", -4.4f},
             {"gain", 2.5f},
             {"oversample", 1}});
  lilv_instance_activate(fresh.Get());
  LV2Instance defaults(plugin, 48000, &urids);
  lilv_instance_activate(defaults.Get());

  const auto expected = fresh.Process(in, {700});
  EXPECT_EQ(restored.Process(in, {700}), expected);
  EXPECT_NE(defaults.Process(in, {700}), expected);
  lilv_state_free(state);
}

TEST(LV2State, RestoreWithoutUsableParameterDataIsRefusedAndChangesNothing) {
  LV2World world;
  UridMap urids;
  const LilvPlugin* plugin = world.Plugin(kMonoURI);
  LV2Instance plug(plugin, 44100, &urids), reference(plugin, 44100, &urids);
  for (LV2Instance* p : {&plug, &reference}) {
    p->Set({{"mf_level_2", 6}, {"gain", -2}});
    lilv_instance_activate(p->Get());
  }
  const auto in = Noise(1, 3000, 5);
  plug.Process(in, {256});
  reference.Process(in, {256});

  auto* iface = static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(plug.Get(), LV2_STATE__interface));
  ASSERT_TRUE(iface);
  // A state from elsewhere: nothing under the plug-in's keys, then a value of the wrong type.
  struct Retrieved {
    uint32_t type;
  } nothing{0}, text{urids.map.map(urids.map.handle, LV2_ATOM__String)};
  auto retrieve = [](LV2_State_Handle h, uint32_t, size_t* size, uint32_t* type,
                     uint32_t* flags) -> const void* {
    const auto* r = static_cast<const Retrieved*>(h);
    *size = 80, *type = r->type, *flags = 0;
    static const double kValues[10] = {5, 3, 20, 5, 20, 6, 20, 20, 10, 1};
    return r->type ? kValues : nullptr;
  };
  LV2_Handle handle = lilv_instance_get_handle(plug.Get());
  EXPECT_EQ(iface->restore(handle, retrieve, &nothing, 0, urids.features),
            LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(iface->restore(handle, retrieve, &text, 0, urids.features), LV2_STATE_ERR_BAD_TYPE);
  EXPECT_EQ(plug.Process(in, {256}), reference.Process(in, {256}));
}
