#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace norumi {

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

 private:
  char* Grow(size_t bytes);

  // The buffer grows ahead of what is written, so most writes are a bounds check and a copy.
  mutable std::string data_;
  size_t size_ = 0;
};

}  // namespace norumi
