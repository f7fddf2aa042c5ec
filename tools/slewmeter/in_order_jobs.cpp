#include "tools/slewmeter/in_order_jobs.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void RunInOrder(size_t count, unsigned jobs, const std::function<void(size_t)>& work,
                const std::function<void(size_t)>& then) {
  if (jobs <= 1 || count <= 1) {
    for (size_t i = 0; i < count; ++i) {
      work(i);
      then(i);
    }
    return;
  }
  std::mutex mutex;
  std::condition_variable finished;
  std::vector<bool> done(count);
  std::vector<std::exception_ptr> failures(count);
  size_t next = 0;
  auto worker = [&] {
    for (;;) {
      size_t i;
      {
        std::lock_guard lock(mutex);
        if (next == count) return;
        i = next++;
      }
      std::exception_ptr failure;
      try {
        work(i);
      } catch (...) {
        failure = std::current_exception();
      }
      std::lock_guard lock(mutex);
      failures[i] = failure;
      done[i] = true;
      finished.notify_all();
    }
  };
  std::vector<std::jthread> threads;
  for (unsigned t = 0; t < std::min<size_t>(jobs, count); ++t)
    threads.emplace_back(worker);
  for (size_t i = 0; i < count; ++i) {
    std::exception_ptr failure;
    {
      std::unique_lock lock(mutex);
      finished.wait(lock, [&] { return done[i]; });
      failure = failures[i];
    }
    if (failure) {
      // The others stop at their next input; the threads join as they go.
      std::lock_guard lock(mutex);
      next = count;
    }
    if (failure) std::rethrow_exception(failure);
    then(i);
  }
}
