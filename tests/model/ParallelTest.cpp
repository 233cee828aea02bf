// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "model/Parallel.h"

namespace norumi {
namespace {

TEST(RunParts, DoesEveryPartOnceAndThrowsTheFirstFailureAfterAllAreDone) {
  for (const size_t parts : {size_t(0), size_t(1), size_t(3), kMaxWorkers + 2}) {
    std::vector<std::atomic<int>> done(parts);
    RunParts(parts, [&](size_t p) { ++done[p]; });
    for (size_t p = 0; p < parts; ++p) EXPECT_EQ(done[p], 1) << p << " of " << parts;
  }
  std::atomic<int> finished = 0;
  EXPECT_THROW(RunParts(3,
                        [&](size_t p) {
                          if (p > 0) throw std::out_of_range("part");
                          ++finished;
                        }),
               std::out_of_range);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(Workers(10, 100), 1u);  // too little to share
  EXPECT_LE(Workers(1000, 1), kMaxWorkers);
}

}  // namespace
}  // namespace norumi
