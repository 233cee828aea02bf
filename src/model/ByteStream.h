// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ByteBlock.h"

namespace norumi {

// Word files are little-endian, and lists of integers are copied to and from them whole.
static_assert(std::endian::native == std::endian::little, "word files are little-endian");

// Writes `count` bytes from `from` to `to`, each XOR `low`; true when one came out 0. `to` may
// lie before `from` by any distance, or be `from` itself.
bool MaskBytes(char* to, const char* from, size_t count, char low);
// The same for bytes masked with `was` to be masked with `now` instead: true when one of them
// is a 0 under `was`, which is then the end of its text.
bool RemaskBytes(char* to, const char* from, size_t count, char was, char now);

// Reads little-endian values from a byte buffer. Every read is checked against what is left,
// so a damaged or truncated file can never make a reader step past its end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  // False, reading nothing, when fewer than four bytes are left.
  bool ReadInt32(int32_t& value);
  // False, reading nothing, when fewer than `count` values are left.
  bool ReadInt32s(int32_t* values, size_t count);
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

// Appends little-endian values to a byte buffer, or hands them to a writer in parts.
class ByteWriter {
 public:
  ByteWriter() = default;
  // Hands what is written to `sink` whenever about `part` bytes have gathered, so that a file
  // of any size is made in a buffer of that size. After a part the sink refused, nothing more
  // is handed on.
  ByteWriter(const WritePart& sink, size_t part) : sink_(&sink), part_(part) {}

  void WriteInt32(int32_t value);
  void WriteInt32s(const std::vector<int32_t>& values);
  void WriteUInt16(uint16_t value);
  void WriteBytes(std::string_view bytes);
  // Writes `bytes`, each XOR `mask`.
  void WriteMaskedBytes(std::string_view bytes, char mask);

  const std::string& Data();
  // What is written and not yet handed on.
  std::string_view Written() const { return {data_.data(), size_}; }
  // Room for `bytes` more bytes, written in one go by the caller.
  char* Grow(size_t bytes);
  // Takes back the last `bytes` of the room Grow gave, which the caller did not use after all.
  void Shrink(size_t bytes) { size_ -= bytes; }
  // Makes room for a total of `bytes` at once, for a writer that knows its size: the buffer
  // grows into it without moving, and touches only what is written.
  void Reserve(size_t bytes);
  // Hands what is left to the sink: false when the sink refused a part, now or before.
  bool Flush();
  bool Failed() const { return failed_; }
  // Forgets what was written, keeping the buffer: the next bytes are written into memory that
  // is already there.
  void Clear() { size_ = 0, failed_ = false; }

 private:
  // The buffer grows ahead of what is written, so most writes are a bounds check and a copy.
  std::string data_;
  size_t size_ = 0;
  const WritePart* sink_ = nullptr;
  size_t part_ = 0;
  bool failed_ = false;
};

}  // namespace norumi
