// The LV2 world as a host sees it: lilv finds the bundle through LV2_PATH, and
// the tests reach the meter only through what lilv and the bundle give.
#pragma once

#include <gtest/gtest.h>
#include <lilv/lilv.h>

#include <memory>

struct NodeFree {
  void operator()(LilvNode* node) const { lilv_node_free(node); }
};
using Node = std::unique_ptr<LilvNode, NodeFree>;

class LilvHost {
 public:
  // Without LV2_PATH in the environment, the build's bundle folder and the
  // system's (for the LV2 vocabulary) are where it looks.
  LilvHost();
  ~LilvHost();
  LilvHost(const LilvHost&) = delete;
  LilvHost& operator=(const LilvHost&) = delete;

  LilvWorld* world() const { return lilvWorld; }
  // The meter, or null when no bundle on LV2_PATH describes it.
  const LilvPlugin* plugin() const { return meter; }
  Node uri(const char* uri) const { return Node(lilv_new_uri(lilvWorld, uri)); }

 private:
  LilvWorld* lilvWorld;
  const LilvPlugin* meter = nullptr;
};

// One world per test suite, loaded as a host loads it at start-up.
class Lv2HostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { host = std::make_unique<LilvHost>(); }
  static void TearDownTestSuite() { host.reset(); }
  void SetUp() override { ASSERT_NE(host->plugin(), nullptr) << "the meter is not on LV2_PATH"; }

  static inline std::unique_ptr<LilvHost> host;
};
