// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/LargeBlocks.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace norumi {

void* AllocateLarge(size_t bytes) {
  void* block = nullptr;
#ifdef MADV_HUGEPAGE
  constexpr size_t kHuge = size_t(2) << 20;
  if (bytes >= 2 * kHuge) {
    const size_t whole = (bytes + kHuge - 1) / kHuge * kHuge;
    block = std::aligned_alloc(kHuge, whole);
    if (block) ::madvise(block, whole, MADV_HUGEPAGE);
  }
#endif
  if (!block) block = std::malloc(std::max<size_t>(bytes, 1));
  if (!block) throw std::bad_alloc();
  return block;
}

void PrepareLarge(void* data, size_t bytes) {
#ifdef __linux__
  constexpr uintptr_t kPage = 4096;
  const auto start = reinterpret_cast<uintptr_t>(data) / kPage * kPage;
  const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) / kPage * kPage;
  constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE, Linux 5.14
  if (end > start + 16 * kPage)
    ::madvise(reinterpret_cast<void*>(start), end - start, kPopulateWrite);
#else
  (void)data, (void)bytes;
#endif
}

}  // namespace norumi
