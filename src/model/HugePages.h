// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace norumi {

// Asks the system to back a large block with huge pages where it can: a block of tens of
// megabytes then costs a few dozen page faults instead of thousands. Call it before the block
// is first written; small blocks and other systems are left as they are.
inline void AdviseHugePages(const void* data, size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHuge = uintptr_t(2) << 20;
  const uintptr_t begin = (uintptr_t(data) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (uintptr_t(data) + size) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace norumi
