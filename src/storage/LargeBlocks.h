// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace norumi {

// Memory for the large arrays of a word list: its file's bytes, the index of its entries. On
// Linux a block of several MiB is asked for in huge pages: the first touch of each 4 KiB page
// traps into the system, which on a virtual machine costs about as much as reading 20 KiB, and
// the index and histories of a million words would take 6,000 such traps. Freed with std::free.
void* AllocateLarge(size_t bytes);

// Has the pages of an array that is about to be written whole made at once, rather than one
// trap a page as they are first touched. Nothing where the system cannot.
void PrepareLarge(void* data, size_t bytes);

// An allocator of such memory, for a standard container.
template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}
  T* allocate(size_t count) { return static_cast<T*>(AllocateLarge(count * sizeof(T))); }
  void deallocate(T* data, size_t) { std::free(data); }
  friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
};

}  // namespace norumi
