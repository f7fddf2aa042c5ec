// Work on several inputs side by side, its results handed on in the inputs'
// order: what a run says and writes is the same as one input at a time.
#pragma once

#include <cstddef>
#include <functional>

// Runs work(i) for every i below `count` on up to `jobs` threads, taking the
// inputs in order, and after each then(i) on the calling thread, in order of i,
// as soon as work has finished every input up to i. With one job, work(i) and
// then(i) run in turn on the calling thread. An exception in work(i) is
// thrown again from the calling thread in then(i)'s place.
void RunInOrder(size_t count, unsigned jobs, const std::function<void(size_t)>& work,
                const std::function<void(size_t)>& then);
