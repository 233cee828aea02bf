// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace norumi {

// How work is spread over the machine's cores, decided here for every place that does it:
// - the work is split into at most Workers(items, minimum) parts, each of at least `minimum`
//   items and no more parts than cores (and kMaxWorkers);
// - the calling thread does a part itself, every other part runs on a thread of its own;
// - a thread that cannot be started leaves its part to the calling thread: the work is done,
//   only later.
inline constexpr size_t kMaxWorkers = 4;

inline size_t Workers(size_t items, size_t minimum) {
  const size_t cores = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, kMaxWorkers);
  return std::clamp<size_t>(items / std::max<size_t>(minimum, 1), 1, cores);
}

// Starts `work` on a thread of its own, kept in `threads`; false when no thread can be started,
// and the caller does the work itself.
inline bool StartWorker(std::vector<std::jthread>& threads, std::function<void()> work) {
  try {
    threads.emplace_back(std::move(work));
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

// Runs part(p) for every p below `parts`: part 0 and any part whose thread cannot be started on
// the calling thread, the others on threads of their own. Returns when every part is done; the
// exception of the first part that threw, in part order, is thrown again.
inline void RunParts(size_t parts, const std::function<void(size_t)>& part) {
  std::vector<std::exception_ptr> failures(parts);
  const auto run = [&](size_t p) {
    try {
      part(p);
    } catch (...) {
      failures[p] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> threads;
    std::vector<size_t> left;
    for (size_t p = 1; p < parts; ++p)
      if (!StartWorker(threads, [&run, p] { run(p); })) left.push_back(p);
    if (parts > 0) run(0);
    for (size_t p : left) run(p);
  }  // the threads join here
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

}  // namespace norumi
