// What a host reads of the bundle through lilv is what the code says of itself:
// the ports, the class and name, the version, the UI and the features.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/ui/ui.h>

#include <string>

#include "effect/vebrisk_effect.h"
#include "lv2/lv2_facts.h"
#include "tests/lv2/host/lilv_host.h"
#include "version.h"

namespace {

using namespace Lv2Facts;

class Description : public Lv2HostTest {
 protected:
  static bool Has(const LilvNodes* nodes, const char* uri) {
    return lilv_nodes_contains(nodes, host->uri(uri).get());
  }
  // The one value of `predicate` on `subject`, as text; empty when there is none.
  static std::string Value(const LilvNode* subject, const char* predicate) {
    const Node value(lilv_world_get(host->world(), subject, host->uri(predicate).get(), nullptr));
    return value ? lilv_node_as_string(value.get()) : "";
  }
  static std::string Text(const LilvNode* node) { return node ? lilv_node_as_string(node) : ""; }
};

TEST_F(Description, IsFoundInTheBuiltBundleAndIsWhole) {
  const LilvPlugin* plugin = host->plugin();
  EXPECT_EQ(Text(lilv_plugin_get_bundle_uri(plugin)), "file://" LV2_BUNDLE_DIR "/");
  EXPECT_EQ(Text(lilv_plugin_get_library_uri(plugin)),
            std::string("file://" LV2_BUNDLE_DIR "/") + kBinaryName);
  EXPECT_TRUE(lilv_plugin_verify(plugin));
}

TEST_F(Description, EveryPortIsTheOneTheCodeUses) {
  const LilvPlugin* plugin = host->plugin();
  ASSERT_EQ(lilv_plugin_get_num_ports(plugin), static_cast<uint32_t>(kPortCount));
  const Node input = host->uri(LV2_CORE__InputPort), output = host->uri(LV2_CORE__OutputPort);
  const Node comment = host->uri(LILV_NS_RDFS "comment");
  for (const Port& fact : kPorts) {
    SCOPED_TRACE(fact.symbol);
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, fact.index);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(Text(lilv_port_get_symbol(plugin, port)), fact.symbol);
    const Node name(lilv_port_get_name(plugin, port));
    EXPECT_EQ(Text(name.get()), fact.name);
    LilvNodes* comments = lilv_port_get_value(plugin, port, comment.get());
    EXPECT_EQ(Text(lilv_nodes_get_first(comments)), fact.comment);
    lilv_nodes_free(comments);
    const char* kinds[] = {LV2_CORE__AudioPort, LV2_ATOM__AtomPort, LV2_CORE__ControlPort};
    for (PortKind kind : {PortKind::audio, PortKind::atom, PortKind::control}) {
      EXPECT_EQ(lilv_port_is_a(plugin, port, host->uri(kinds[static_cast<int>(kind)]).get()),
                kind == fact.kind)
          << kinds[static_cast<int>(kind)];
    }
    EXPECT_EQ(lilv_port_is_a(plugin, port, output.get()), fact.output);
    EXPECT_EQ(lilv_port_is_a(plugin, port, input.get()), !fact.output);
  }
}

TEST_F(Description, TheNotifyPortIsAnOptionalSequenceOfPeaks) {
  const LilvPlugin* plugin = host->plugin();
  const LilvPort* notify = lilv_plugin_get_port_by_index(plugin, kNotify);
  ASSERT_NE(notify, nullptr);
  EXPECT_TRUE(
      lilv_port_has_property(plugin, notify, host->uri(LV2_CORE__connectionOptional).get()));
  EXPECT_TRUE(lilv_port_supports_event(plugin, notify, host->uri(kPeaksUri).get()));
  LilvNodes* types = lilv_port_get_value(plugin, notify, host->uri(LV2_ATOM__bufferType).get());
  EXPECT_TRUE(Has(types, LV2_ATOM__Sequence));
  lilv_nodes_free(types);
}

TEST_F(Description, ControlOutputsRangeFromNoStepToTheDisplayMaximum) {
  const LilvPlugin* plugin = host->plugin();
  for (PortIndex index : {kRecentLeft, kRecentRight, kLargestLeft, kLargestRight}) {
    SCOPED_TRACE(index);
    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(plugin, lilv_plugin_get_port_by_index(plugin, index), &def, &min, &max);
    const Node owned[] = {Node(def), Node(min), Node(max)};
    ASSERT_TRUE(def && min && max);
    EXPECT_EQ(lilv_node_as_float(def), 0.0f);
    EXPECT_EQ(lilv_node_as_float(min), 0.0f);
    EXPECT_EQ(lilv_node_as_float(max), static_cast<float>(kStepDisplayMaximum));
  }
}

TEST_F(Description, ClassNameAndVersionAreTheProjects) {
  const LilvPlugin* plugin = host->plugin();
  EXPECT_EQ(Text(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
            LV2_CORE__AnalyserPlugin);
  const Node name(lilv_plugin_get_name(plugin));
  EXPECT_EQ(Text(name.get()), TVebriskEffect::kEffectName);
  const LilvNode* uri = lilv_plugin_get_uri(plugin);
  EXPECT_EQ(Value(uri, LV2_CORE__minorVersion), std::to_string(PROJECT_VERSION_MINOR));
  EXPECT_EQ(Value(uri, LV2_CORE__microVersion), std::to_string(PROJECT_VERSION_PATCH));
}

TEST_F(Description, TheUiIsListedWithItsOwnBinary) {
  LilvUIs* uis = lilv_plugin_get_uis(host->plugin());
  const LilvUI* ui = lilv_uis_get_by_uri(uis, host->uri(kGuiUri).get());
  ASSERT_NE(ui, nullptr);
  EXPECT_TRUE(lilv_ui_is_a(ui, host->uri(LV2_UI__X11UI).get()));
  EXPECT_EQ(Text(lilv_ui_get_binary_uri(ui)),
            std::string("file://" LV2_BUNDLE_DIR "/") + kGuiBinaryName);
  lilv_uis_free(uis);
}

// lv2apply gives no features and Ardour runs in place: the meter needs neither
// a feature nor separate buffers, and promises realtime safety.
TEST_F(Description, AsksNothingOfHostsAndOffersItsExtensions) {
  const LilvPlugin* plugin = host->plugin();
  LilvNodes* required = lilv_plugin_get_required_features(plugin);
  EXPECT_EQ(lilv_nodes_size(required), 0u);
  lilv_nodes_free(required);
  EXPECT_FALSE(lilv_plugin_has_feature(plugin, host->uri(LV2_CORE__inPlaceBroken).get()));
  LilvNodes* optional = lilv_plugin_get_optional_features(plugin);
  for (const char* feature : {LV2_CORE__hardRTCapable, LV2_URID__map, LV2_OPTIONS__options}) {
    EXPECT_TRUE(Has(optional, feature)) << feature;
  }
  lilv_nodes_free(optional);
  EXPECT_TRUE(lilv_plugin_has_extension_data(plugin, host->uri(LV2_STATE__interface).get()));
  LilvNodes* options =
      lilv_world_find_nodes(host->world(), lilv_plugin_get_uri(plugin),
                            host->uri(LV2_OPTIONS__supportedOption).get(), nullptr);
  for (const char* option : {LV2_BUF_SIZE__nominalBlockLength, LV2_BUF_SIZE__maxBlockLength}) {
    EXPECT_TRUE(Has(options, option)) << option;
  }
  lilv_nodes_free(options);
}

}  // namespace
