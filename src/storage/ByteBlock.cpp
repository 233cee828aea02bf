// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/ByteBlock.h"

#include <algorithm>
#include <new>

namespace norumi {

ByteBlock NewByteBlock(size_t size) {
  ByteBlock block(static_cast<char*>(std::malloc(std::max<size_t>(size, 1))));
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace norumi
