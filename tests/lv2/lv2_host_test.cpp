// TessorEQ.lv2 as a host sees it through lilv: what it offers, what it renders (bit for bit the
// component's audio through tessor-eq render) and what its saved state brings back.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>

#include <cstdio>

#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CommandRunner.h"
#include "tests/lv2/LV2Host.h"

namespace {

using Channels = std::vector<std::vector<float>>;

std::string Text(LilvNode* node) {  // takes the node
  std::string text = node ? lilv_node_as_string(node) : "";
  lilv_node_free(node);
  return text;
}

// Deterministic noise in -1.4..1.4 (some samples past full scale, where the drive clips).
Channels Noise(size_t channels, size_t frames, uint32_t seed) {
  Channels out(channels);
  for (size_t i = 0; i < frames * channels; ++i) {
    seed = seed * 1664525u + 1013904223u;
    out[i % channels].push_back(static_cast<float>((seed >> 8) / 16777216.0 - 0.5) * 2.8f);
  }
  return out;
}

// symbol, name as tessor-eq knows it, value
using Settings = std::vector<std::tuple<const char*, const char*, float>>;

// The same audio and settings through the component with the tessor-eq command.
Channels RenderWithComponent(const Channels& in, int rate, const Settings& settings) {
  TempDir dir;
  TestAudio audio{static_cast<int>(in.size()), rate, 0, {}};
  for (size_t i = 0; i < in[0].size(); ++i)
    for (const auto& channel : in) audio.samples.push_back(channel[i]);
  EXPECT_TRUE(WriteTestAudio(dir / "in.wav", audio));
  std::vector<std::string> args = {"render", dir / "in.wav", dir / "out.wav", "--component",
                                   TESSOR_EQ_COMPONENT};
  for (const auto& [symbol, name, value] : settings) {
    char text[64];
    snprintf(text, sizeof(text), "%s=%.9g", name, value);
    args.insert(args.end(), {"--set", text});
  }
  const CommandResult result = RunCommand(TESSOR_EQ_EXE, args);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const TestAudio rendered = ReadTestAudio(dir / "out.wav");
  Channels out(in.size());
  for (size_t i = 0; i < rendered.samples.size(); ++i)
    out[i % in.size()].push_back(rendered.samples[i]);
  return out;
}

void ExpectSameAsComponent(const char* uri, int rate, const Settings& settings) {
  LV2Host host;
  LV2Instance plug(host, uri, rate);
  ASSERT_TRUE(plug);
  for (const auto& [symbol, name, value] : settings) plug.Control(symbol) = value;
  const Channels in = Noise(plug.Channels(), 20000, 7);
  lilv_instance_activate(plug.Get());
  // Blocks of one frame, of usual sizes, empty, and longer than the wrapper's own block.
  const Channels lv2 = plug.Process(in, {1, 333, 4096, 1024, 77, 0, 5000});
  const Channels component = RenderWithComponent(in, rate, settings);
  for (size_t c = 0; c < lv2.size(); ++c) {
    ASSERT_EQ(component[c].size(), lv2[c].size());
    EXPECT_EQ(0, std::memcmp(component[c].data(), lv2[c].data(), lv2[c].size() * sizeof(float)))
        << c;
  }
}

const Settings kEveryBand = {{"hpf", "HPF", 3},
                             {"loshelf_freq", "LoShelf Freq", 2},
                             {"loshelf_level", "LoShelf Level", -6.5f},
                             {"mf_1_freq", "MF 1 Freq", 4},
                             {"mf_level_1", "MF Level 1", 3.5f},
                             {"mf_2_freq", "MF 2 Freq", 5},
                             {"mf_level_2", "MF Level 2", -8.2f},
                             {"hishelf_level", "HiShelf Level", 2.2f},
                             {"gain", "Gain", -3.1f}};

}  // namespace

TEST(LV2Discovery, MonoAndStereoEqualisersWithOneControlPerParameterInItsUnits) {
  LV2Host host;
  enum Kind { kDb, kEnum, kToggle };
  const std::tuple<const char*, const char*, float, float, float, Kind> controls[] = {
      {"hpf", "HPF", 0, 5, 0, kEnum},
      {"loshelf_freq", "LoShelf Freq", 0, 3, 0, kEnum},
      {"loshelf_level", "LoShelf Level", -20, 20, 0, kDb},
      {"mf_1_freq", "MF 1 Freq", 0, 5, 2, kEnum},
      {"mf_level_1", "MF Level 1", -20, 20, 0, kDb},
      {"mf_2_freq", "MF 2 Freq", 0, 6, 3, kEnum},
      {"mf_level_2", "MF Level 2", -20, 20, 0, kDb},
      {"hishelf_level", "HiShelf Level", -20, 20, 0, kDb},
      {"gain", "Gain", -20, 10, 0, kDb},
      {"oversample", "Oversample", 0, 1, 0, kToggle}};
  const LilvNode* unit = host.Node("http://lv2plug.in/ns/extensions/units#unit");
  const LilvNode* db = host.Node("http://lv2plug.in/ns/extensions/units#db");
  for (const char* uri : {kMonoURI, kStereoURI}) {
    SCOPED_TRACE(uri);
    const LilvPlugin* plugin = host.Plugin(uri);
    ASSERT_TRUE(plugin);
    const bool stereo = uri == kStereoURI;
    EXPECT_EQ(Text(lilv_plugin_get_name(plugin)),
              stereo ? "Tessor EQ (Stereo)" : "Tessor EQ (Mono)");
    EXPECT_EQ(Text(lilv_plugin_get_author_name(plugin)), "Fenwarde Audio");
    EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
                 LV2_CORE__EQPlugin);
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), stereo ? 14u : 12u);
    for (uint32_t i = 0; i < 10; ++i) {
      const auto& [symbol, name, min, max, def, kind] = controls[i];
      const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
      EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), symbol);
      EXPECT_EQ(Text(lilv_port_get_name(plugin, port)), name);
      LilvNode *d, *lo, *hi;
      lilv_port_get_range(plugin, port, &d, &lo, &hi);
      EXPECT_EQ(lilv_node_as_float(lo), min) << symbol;
      EXPECT_EQ(lilv_node_as_float(hi), max) << symbol;
      EXPECT_EQ(lilv_node_as_float(d), def) << symbol;
      lilv_node_free(d), lilv_node_free(lo), lilv_node_free(hi);
      LilvNodes* units = lilv_port_get_value(plugin, port, unit);
      EXPECT_EQ(kind == kDb, units && lilv_nodes_contains(units, db)) << symbol;
      lilv_nodes_free(units);
      EXPECT_EQ(kind == kEnum,
                lilv_port_has_property(plugin, port, host.Node(LV2_CORE__enumeration)));
      EXPECT_EQ(kind == kToggle,
                lilv_port_has_property(plugin, port, host.Node(LV2_CORE__toggled)));
    }
    const char* audio[] = {"in_l", "in_r", "out_l", "out_r", "in", "out"};
    for (uint32_t i = 0; i < (stereo ? 4u : 2u); ++i)
      EXPECT_STREQ(lilv_node_as_string(
                       lilv_port_get_symbol(plugin, lilv_plugin_get_port_by_index(plugin, 10 + i))),
                   audio[i + (stereo ? 0 : 4)]);
  }
}

TEST(LV2Discovery, StepsAreLabelledWithTheirTextsAndTheDefaultPresetHoldsTheDefaults) {
  LV2Host host;
  const LilvPlugin* plugin = host.Plugin(kStereoURI);
  ASSERT_TRUE(plugin);
  auto labels = [&](uint32_t index) {
    std::map<float, std::string> byValue;
    LilvScalePoints* points =
        lilv_port_get_scale_points(plugin, lilv_plugin_get_port_by_index(plugin, index));
    LILV_FOREACH(scale_points, it, points) {
      const LilvScalePoint* p = lilv_scale_points_get(points, it);
      byValue[lilv_node_as_float(lilv_scale_point_get_value(p))] =
          lilv_node_as_string(lilv_scale_point_get_label(p));
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

  LilvNodes* presets = lilv_plugin_get_related(plugin, host.Node(LV2_PRESETS__Preset));
  ASSERT_EQ(lilv_nodes_size(presets), 1u);
  const LilvNode* preset = lilv_nodes_get(presets, lilv_nodes_begin(presets));
  lilv_world_load_resource(host.world, preset);
  LilvState* state = lilv_state_new_from_world(host.world, &host.map, preset);
  ASSERT_TRUE(state);
  EXPECT_STREQ(lilv_state_get_label(state), "Default");
  std::map<std::string, float> values;
  lilv_state_emit_port_values(
      state,
      [](const char* symbol, void* data, const void* value, uint32_t, uint32_t) {
        (*static_cast<std::map<std::string, float>*>(data))[symbol] =
            *static_cast<const float*>(value);
      },
      &values);
  EXPECT_EQ(values.size(), 10u);  // every control; all at 0 but the two mid frequencies
  for (const auto& [symbol, value] : values)
    EXPECT_EQ(value, symbol == "mf_1_freq" ? 2 : symbol == "mf_2_freq" ? 3 : 0) << symbol;
  lilv_state_free(state);
  lilv_nodes_free(presets);
}

TEST(LV2Render, StereoWithEveryBandAndOversamplingIsTheComponentsAudioBitForBit) {
  Settings settings = kEveryBand;
  settings.emplace_back("oversample", "Oversample", 1);
  ExpectSameAsComponent(kStereoURI, 48000, settings);
}

TEST(LV2Render, MonoIsTheComponentsAudioBitForBit) {
  ExpectSameAsComponent(kMonoURI, 44100, kEveryBand);
}

TEST(LV2State, SavedStateBringsBackEveryParameterEvenWhenTheHostLeavesThePortsAlone) {
  LV2Host host;
  const std::map<std::string, float> settings = {{"hpf", 2},
                                                 {"mf_level_1", 7.3f},
                                                 {"hishelf_level", -4.4f},
                                                 {"gain", 2.5f},
                                                 {"oversample", 1}};
  const Channels in = Noise(2, 6000, 11);
  LV2Instance saved(host, kStereoURI, 48000), restored(host, kStereoURI, 48000),
      fresh(host, kStereoURI, 48000), defaults(host, kStereoURI, 48000);
  saved.Set(settings);
  fresh.Set(settings);
  for (LV2Instance* p : {&saved, &restored, &fresh, &defaults}) lilv_instance_activate(p->Get());
  saved.Process(in, {512});
  auto portValue = [](const char* symbol, void* data, uint32_t* size,
                      uint32_t* type) -> const void* {
    auto* plug = static_cast<std::pair<LV2Instance*, LV2_URID>*>(data);
    *size = sizeof(float), *type = plug->second;
    return &plug->first->Control(symbol);
  };
  std::pair<LV2Instance*, LV2_URID> source{&saved, host.Map(LV2_ATOM__Float)};
  LilvState* state =
      lilv_state_new_from_instance(host.Plugin(kStereoURI), saved.Get(), &host.map, nullptr,
                                   nullptr, nullptr, nullptr, portValue, &source, 0, nullptr);
  ASSERT_TRUE(state);
  // The restored instance's ports stay at their defaults: only the plug-in's own state carries
  // the settings across.
  restored.Process({std::vector<float>(64), std::vector<float>(64)}, {64});
  lilv_state_restore(state, restored.Get(), nullptr, nullptr, 0, nullptr);
  lilv_state_free(state);

  const Channels expected = fresh.Process(in, {700});
  EXPECT_EQ(restored.Process(in, {700}), expected);
  EXPECT_NE(defaults.Process(in, {700}), expected);
}

TEST(LV2State, RestoreWithoutUsableParameterDataIsRefusedAndChangesNothing) {
  LV2Host host;
  LV2Instance plug(host, kMonoURI, 44100), reference(host, kMonoURI, 44100);
  for (LV2Instance* p : {&plug, &reference}) {
    p->Set({{"mf_level_2", 6}, {"gain", -2}});
    lilv_instance_activate(p->Get());
  }
  const auto* iface = static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(plug.Get(), LV2_STATE__interface));
  ASSERT_TRUE(iface);
  // A state from elsewhere: nothing under the plug-in's keys, then ten doubles typed as text.
  auto retrieve = [](LV2_State_Handle type, uint32_t, size_t* size, uint32_t* pType,
                     uint32_t*) -> const void* {
    static const double kValues[10] = {5, 3, 20, 5, 20, 6, 20, 20, 10, 1};
    *size = sizeof(kValues), *pType = *static_cast<LV2_URID*>(type);
    return *pType ? kValues : nullptr;
  };
  LV2_URID none = 0, text = host.Map(LV2_ATOM__String);
  LV2_Handle handle = lilv_instance_get_handle(plug.Get());
  EXPECT_EQ(iface->restore(handle, retrieve, &none, 0, host.features), LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(iface->restore(handle, retrieve, &text, 0, host.features), LV2_STATE_ERR_BAD_TYPE);
  const Channels in = Noise(1, 3000, 5);
  EXPECT_EQ(plug.Process(in, {256}), reference.Process(in, {256}));
}
