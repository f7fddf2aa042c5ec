// Editors of several instances draw frame after frame and close, twice over, so
// that the drawing library is started and stopped again. tests/CMakeLists.txt
// also runs this under valgrind, where no invalid access and no lost block may show.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"

namespace {

constexpr int kRounds = 2;
constexpr int kInstances = 2;
constexpr int kFrames = 50;
constexpr float kStep = 0.25f;

}  // namespace

TEST(EditorFrames, InstancesDrawFiftyFramesEachAndCloseTwiceOver) {
  FakeHost host;
  std::vector<float> steps(512), flat(512, 0.0f);
  for (size_t i = 0; i < steps.size(); ++i)
    steps[i] = (i % 2) ? kStep : 0.0f;

  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::unique_ptr<PluginInstance>> plugins;
    for (int n = 0; n < kInstances; ++n) {
      plugins.push_back(std::make_unique<PluginInstance>());
      plugins.back()->start(44100.0f, 512);
    }
    for (int frame = 0; frame < kFrames; ++frame) {
      for (auto& plugin : plugins) {
        std::vector<float> left = steps, right = flat;
        float* io[] = {left.data(), right.data()};
        plugin->effect->processReplacing(plugin->effect, io, io, 512);
        const auto picture = RenderEditorOffscreen(plugin->instance());
        ASSERT_TRUE(picture) << "round " << round << ", frame " << frame;
        ASSERT_EQ(picture->getBitmap()->getWidth(), 600);
      }
    }
    for (auto& plugin : plugins) {
      TVebriskEffect& s = plugin->script();
      EXPECT_EQ(s.NewestPoint(Channel::left), kStep);
      EXPECT_EQ(s.NewestPoint(Channel::right), 0.0);
    }
  }
}
