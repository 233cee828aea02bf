// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>

namespace norumi {

// A block of bytes from malloc, which leaves it unfilled: whoever makes one writes every byte
// it reads.
struct FreeBytes {
  void operator()(char* bytes) const { std::free(bytes); }
};
using ByteBlock = std::unique_ptr<char[], FreeBytes>;
// Throws std::bad_alloc when there is no room.
ByteBlock NewByteBlock(size_t size);

// Writes a part of a file; false when it could not be written.
using WritePart = std::function<bool(std::string_view)>;

}  // namespace norumi
