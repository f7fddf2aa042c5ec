// The built library, loaded once per test suite for the tests in this folder that
// drive it through its entry point as a host does.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tools/loader/plugin_library.h"

class LoadedPlugin : public ::testing::Test {
 protected:
  // PLUGIN_UNDER_TEST names another copy of the library, an installed one say.
  static void SetUpTestSuite() {
    const char* other = std::getenv("PLUGIN_UNDER_TEST");
    library = std::make_unique<PluginLibrary>(other ? other : PLUGIN_PATH);
  }
  static void TearDownTestSuite() { library.reset(); }

  void SetUp() override { ASSERT_TRUE(library->loaded()) << library->error(); }

  static inline std::unique_ptr<PluginLibrary> library;
};
