// The state a host saves and restores: one property holding the chunk's bytes,
// which a fresh instance takes back exactly, and anything else refused unchanged.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "lv2/lv2_facts.h"
#include "tests/lv2/host/lilv_host.h"
#include "tests/lv2/host/meter_instance.h"

namespace {

// The marker and 64 sliders, as in the VST chunk.
constexpr size_t kChunkBytes = sizeof(float) * (1 + 64);
constexpr float kMarker = -1000.0f;

// One stored property, as a host keeps it between save and restore.
struct Property {
  LV2_URID key = 0, type = 0;
  uint32_t flags = 0;
  std::vector<uint8_t> value;
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                       uint32_t type, uint32_t flags) {
  auto& stored = *static_cast<std::vector<Property>*>(handle);
  const auto* bytes = static_cast<const uint8_t*>(value);
  stored.push_back({key, type, flags, std::vector<uint8_t>(bytes, bytes + size)});
  return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                     uint32_t* flags) {
  for (const Property& p : *static_cast<const std::vector<Property>*>(handle)) {
    if (p.key != key) continue;
    *size = p.value.size();
    *type = p.type;
    *flags = p.flags;
    // A value of no bytes still has an address.
    return p.value.empty() ? static_cast<const void*>(&p.value) : p.value.data();
  }
  return nullptr;
}

struct StateFree {
  void operator()(LilvState* state) const { lilv_state_free(state); }
};
using OwnedState = std::unique_ptr<LilvState, StateFree>;

class SavedState : public Lv2HostTest {
 protected:
  std::vector<Property> Save(MeterInstance& meter) {
    std::vector<Property> stored;
    EXPECT_EQ(
        meter.stateInterface()->save(meter.handle(), Store, &stored,
                                     LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, features.list()),
        LV2_STATE_SUCCESS);
    return stored;
  }
  // The bytes of the one property saved.
  std::vector<uint8_t> Chunk(MeterInstance& meter) {
    const std::vector<Property> stored = Save(meter);
    EXPECT_EQ(stored.size(), 1u);
    return stored.size() == 1 ? stored[0].value : std::vector<uint8_t>{};
  }
  LV2_State_Status Restore(MeterInstance& meter, const std::vector<Property>& stored) {
    return meter.stateInterface()->restore(
        meter.handle(), Retrieve, const_cast<std::vector<Property>*>(&stored), 0, features.list());
  }
  // A whole state unlike the default: every slider a value of its own.
  std::vector<Property> Distinct(float scale) {
    std::vector<uint8_t> chunk(kChunkBytes);
    std::memcpy(chunk.data(), &kMarker, sizeof kMarker);
    for (size_t slider = 1; slider <= 64; ++slider) {
      const float value = scale * static_cast<float>(slider) * (slider % 2 ? -1.0f : 1.0f);
      std::memcpy(&chunk[slider * sizeof(float)], &value, sizeof value);
    }
    return {{id(Lv2Facts::kStateUri), id(LV2_ATOM__Chunk), LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE,
             chunk}};
  }
  LV2_URID id(const char* uri) { return features.urids.id(uri); }

  HostFeatures features;
};

TEST_F(SavedState, IsOnePropertyHoldingTheChunk) {
  MeterInstance meter(host->plugin(), 48000, features);
  ASSERT_TRUE(meter.made());
  ASSERT_NE(meter.stateInterface(), nullptr);
  const std::vector<Property> stored = Save(meter);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_STREQ(features.urids.uri(stored[0].key), Lv2Facts::kStateUri);
  EXPECT_STREQ(features.urids.uri(stored[0].type), LV2_ATOM__Chunk);
  // Plain bytes in a fixed order, so hosts may keep and copy them anywhere.
  EXPECT_EQ(stored[0].flags & (LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE),
            LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
  ASSERT_EQ(stored[0].value.size(), kChunkBytes);
  float marker;
  std::memcpy(&marker, stored[0].value.data(), sizeof marker);
  EXPECT_EQ(marker, kMarker);
}

TEST_F(SavedState, TravelsThroughLilvIntoAFreshInstanceExactly) {
  MeterInstance saved(host->plugin(), 48000, features);
  ASSERT_TRUE(saved.made());
  const std::vector<Property> distinct = Distinct(0.375f);
  ASSERT_EQ(Restore(saved, distinct), LV2_STATE_SUCCESS);
  ASSERT_EQ(Chunk(saved), distinct[0].value);

  // As a host keeps a session: the state as Turtle, read back later.
  const OwnedState taken(lilv_state_new_from_instance(
      host->plugin(), saved.lilvInstance(), features.urids.map(), nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, features.list()));
  ASSERT_NE(taken, nullptr);
  char* turtle = lilv_state_to_string(host->world(), features.urids.map(), features.urids.unmap(),
                                      taken.get(), "urn:test:state", nullptr);
  ASSERT_NE(turtle, nullptr);
  const OwnedState readBack(
      lilv_state_new_from_string(host->world(), features.urids.map(), turtle));
  lilv_free(turtle);
  ASSERT_NE(readBack, nullptr);

  MeterInstance fresh(host->plugin(), 48000, features);
  ASSERT_TRUE(fresh.made());
  ASSERT_NE(Chunk(fresh), distinct[0].value);
  lilv_state_restore(readBack.get(), fresh.lilvInstance(), nullptr, nullptr, 0, features.list());
  EXPECT_EQ(Chunk(fresh), distinct[0].value);
}

TEST_F(SavedState, ABrokenPropertyIsRefusedAndChangesNothing) {
  MeterInstance meter(host->plugin(), 48000, features);
  ASSERT_TRUE(meter.made());
  const std::vector<Property> kept = Distinct(0.25f);
  ASSERT_EQ(Restore(meter, kept), LV2_STATE_SUCCESS);

  // Each case starts from a state the meter would take, and breaks one thing.
  struct Broken {
    const char* what;
    std::vector<Property> stored;
    LV2_State_Status answer;
  };
  std::vector<Broken> cases;
  const auto breaking = [&](const char* what, LV2_State_Status answer, auto change) {
    std::vector<Property> stored = Distinct(0.5f);
    change(stored[0]);
    cases.push_back({what, stored, answer});
  };
  cases.push_back({"no property", {}, LV2_STATE_ERR_NO_PROPERTY});
  breaking("another key", LV2_STATE_ERR_NO_PROPERTY,
           [&](Property& p) { p.key = id(Lv2Facts::kLeftUri); });
  for (const char* type : {LV2_ATOM__String, LV2_ATOM__Vector, LV2_ATOM__Int}) {
    breaking(type, LV2_STATE_ERR_BAD_TYPE, [&](Property& p) { p.type = id(type); });
  }
  for (size_t size : {size_t{0}, size_t{3}, size_t{4}, kChunkBytes - 4, kChunkBytes - 1,
                      kChunkBytes + 1, kChunkBytes + 4, 2 * kChunkBytes}) {
    breaking("a wrong size", LV2_STATE_ERR_UNKNOWN, [&](Property& p) { p.value.resize(size); });
  }
  for (float marker : {1000.0f, -999.0f, 0.0f, -1000.0001f, std::nanf("")}) {
    breaking("a wrong marker", LV2_STATE_ERR_UNKNOWN,
             [&](Property& p) { std::memcpy(p.value.data(), &marker, sizeof marker); });
  }

  for (const Broken& broken : cases) {
    SCOPED_TRACE(broken.what);
    EXPECT_EQ(Restore(meter, broken.stored), broken.answer);
    EXPECT_EQ(Chunk(meter), kept[0].value);
  }
}

// A host may give the URID map to save and restore only, not when instantiating.
TEST_F(SavedState, NeedsAUridMapAtInstantiationOrInTheCall) {
  HostFeatures none(false);
  MeterInstance meter(host->plugin(), 48000, none);
  ASSERT_TRUE(meter.made());
  const std::vector<Property> distinct = Distinct(0.125f);
  std::vector<Property> stored;
  EXPECT_EQ(meter.stateInterface()->save(meter.handle(), Store, &stored, 0, none.list()),
            LV2_STATE_ERR_NO_FEATURE);
  EXPECT_EQ(
      meter.stateInterface()->restore(
          meter.handle(), Retrieve, const_cast<std::vector<Property>*>(&distinct), 0, none.list()),
      LV2_STATE_ERR_NO_FEATURE);
  EXPECT_TRUE(stored.empty());
  EXPECT_EQ(Restore(meter, distinct), LV2_STATE_SUCCESS);
  EXPECT_EQ(Chunk(meter), distinct[0].value);
}

}  // namespace
