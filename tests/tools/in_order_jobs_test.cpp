// Inputs worked on side by side are handed on in their order.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tools/slewmeter/in_order_jobs.h"

TEST(RunInOrder, HandsResultsOnInOrderWhateverFinishesFirst) {
  for (const unsigned jobs : {1u, 3u}) {
    std::vector<size_t> handedOn;
    std::mutex mutex;
    std::set<std::thread::id> workers;
    RunInOrder(
        8, jobs,
        [&](size_t i) {
          // The early inputs take longest, so later ones finish first.
          std::this_thread::sleep_for(std::chrono::milliseconds(8 * (8 - i)));
          std::lock_guard lock(mutex);
          workers.insert(std::this_thread::get_id());
        },
        [&](size_t i) { handedOn.push_back(i); });
    EXPECT_EQ(handedOn, (std::vector<size_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(workers.size(), jobs);
  }
}

TEST(RunInOrder, AFailureComesBackInItsPlace) {
  std::vector<size_t> handedOn;
  EXPECT_THROW(RunInOrder(
                   6, 2,
                   [](size_t i) {
                     if (i == 2) throw std::runtime_error("input 2");
                   },
                   [&](size_t i) { handedOn.push_back(i); }),
               std::runtime_error);
  EXPECT_EQ(handedOn, (std::vector<size_t>{0, 1}));
}
