// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace norumi {

// Writes `count` bytes from `from` to `to`, each XOR `low`; true when one came out 0. `to` may
// lie before `from` by any distance, or be `from` itself.
bool MaskBytes(char* to, const char* from, size_t count, char low);

// Reads little-endian values from a byte buffer. Every read is checked against what is left,
// so a damaged or truncated file can never make a reader step past its end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  // False, reading nothing, when fewer than four bytes are left.
  bool ReadInt32(int32_t& value);
  bool ReadUInt16(uint16_t& value);
  // False, reading nothing, when fewer than `count` bytes are left.
  bool ReadBytes(size_t count, std::string& out);

  size_t Remaining() const { return data_.size() - pos_; }
  size_t Position() const { return pos_; }
  // The unread bytes, for a reader of records of its own; it then skips what it read.
  const char* Here() const { return data_.data() + pos_; }
  void Skip(size_t count) { pos_ += std::min(count, Remaining()); }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

// Appends little-endian values to a byte buffer.
class ByteWriter {
 public:
  void WriteInt32(int32_t value);
  void WriteUInt16(uint16_t value);
  void WriteBytes(std::string_view bytes);
  // Writes `bytes`, each XOR `mask`.
  void WriteMaskedBytes(std::string_view bytes, char mask);

  const std::string& Data() const;
  // What is written so far, and forgetting it while keeping the room: for a writer that hands
  // its bytes on in parts.
  std::string_view Written() const { return {data_.data(), size_}; }
  void Clear() { size_ = 0; }
  // Room for `bytes` more bytes, written in one go by the caller.
  char* Grow(size_t bytes);
  // Makes room for a total of `bytes` at once, for a writer that knows its size.
  void Reserve(size_t bytes);

 private:
  // The buffer grows ahead of what is written, so most writes are a bounds check and a copy.
  mutable std::string data_;
  size_t size_ = 0;
};

}  // namespace norumi
