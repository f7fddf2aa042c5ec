// The module as a scan sees it: the entry, the factory and the one descriptor.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "clap/clap_facts.h"
#include "tests/clap/host/clap_test_host.h"
#include "version.h"

namespace {

std::vector<std::string> Features(const clap_plugin_descriptor& descriptor) {
  std::vector<std::string> features;
  for (const char* const* f = descriptor.features; *f; ++f)
    features.emplace_back(*f);
  return features;
}

TEST(ClapEntry, OffersOneMeterWithTheFactsOfEveryFormat) {
  ClapTestHost host(CLAP_PATH);
  ASSERT_EQ(host.error(), "");
  EXPECT_GE(host.entry()->clap_version.major, 1u);
  const clap_plugin_factory* factory = host.factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(host.entry()->get_factory("clap.preset-discovery-factory"), nullptr);
  ASSERT_EQ(factory->get_plugin_count(factory), 1u);
  EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
  const clap_plugin_descriptor& descriptor = *factory->get_plugin_descriptor(factory, 0);
  EXPECT_STREQ(descriptor.id, "audio.korvandel.pemberlyquist-ravuvi-rozevezav");
  EXPECT_STREQ(descriptor.name, "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806");
  EXPECT_STREQ(descriptor.vendor, "KORVANDEL");
  EXPECT_STREQ(descriptor.version, SLEWMETER_VERSION);
  EXPECT_STREQ(descriptor.url, "https://korvandel.audio/");
  for (const char* text : {descriptor.manual_url, descriptor.support_url, descriptor.description})
    EXPECT_NE(text, nullptr);
  EXPECT_EQ(Features(descriptor), (std::vector<std::string>{"audio-effect", "analyzer", "stereo"}));
}

TEST(ClapEntry, CreatesOnlyItsOwnIdForACompatibleHostBetweenInitAndDeinit) {
  ClapTestHost host(CLAP_PATH);
  ASSERT_EQ(host.error(), "");
  EXPECT_EQ(host.create("org.example.other"), nullptr);
  clap_host ancient = *host.host();
  ancient.clap_version = {0, 9, 0};
  const clap_plugin_factory* factory = host.factory();
  EXPECT_EQ(factory->create_plugin(factory, &ancient, ClapFacts::kPluginId), nullptr);

  // A second init (a wrapper, a scan before the load) and its deinit leave the module usable.
  ASSERT_TRUE(host.entry()->init(CLAP_PATH));
  host.entry()->deinit();
  const clap_plugin* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  plugin->destroy(plugin);

  // After the last deinit nothing is made; a stray deinit is survived.
  host.entry()->deinit();
  EXPECT_EQ(host.create(), nullptr);
  host.entry()->deinit();
  ASSERT_TRUE(host.entry()->init(CLAP_PATH));  // given back for the host's own deinit
}

}  // namespace
