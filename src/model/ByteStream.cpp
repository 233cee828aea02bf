// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace norumi {

// Eight bytes at a time, each eight read before they are written.
bool RemaskBytes(char* to, const char* from, size_t count, char was, char now) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  const uint64_t wasAll = uint64_t(uint8_t(was)) * kOnes;
  const uint64_t nowAll = uint64_t(uint8_t(now)) * kOnes;
  uint64_t zeros = 0;
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t bytes;
    std::memcpy(&bytes, from + i, 8);
    bytes ^= wasAll;
    zeros |= (bytes - kOnes) & ~bytes & 0x8080808080808080u;
    bytes ^= nowAll;
    std::memcpy(to + i, &bytes, 8);
  }
  for (; i < count; ++i) {
    const char plain = char(from[i] ^ was);
    zeros |= plain == 0;
    to[i] = char(plain ^ now);
  }
  return zeros != 0;
}

bool MaskBytes(char* to, const char* from, size_t count, char low) {
  return RemaskBytes(to, from, count, low, 0);
}

bool ByteReader::ReadInt32(int32_t& value) {
  return ReadInt32s(&value, 1);
}

bool ByteReader::ReadInt32s(int32_t* values, size_t count) {
  if (Remaining() / 4 < count) return false;
  if (count != 0) std::memcpy(values, data_.data() + pos_, count * 4);
  pos_ += count * 4;
  return true;
}

bool ByteReader::ReadUInt16(uint16_t& value) {
  if (Remaining() < 2) return false;
  std::memcpy(&value, data_.data() + pos_, 2);
  pos_ += 2;
  return true;
}

bool ByteReader::ReadBytes(size_t count, std::string& out) {
  if (Remaining() < count) return false;
  out.assign(data_.data() + pos_, count);
  pos_ += count;
  return true;
}

char* ByteWriter::Grow(size_t bytes) {
  if (sink_ && size_ != 0 && size_ + bytes > part_) Flush();
  if (data_.size() < size_ + bytes) {
    // Doubles, but never past the room reserved when what is asked for fits in it.
    size_t size = std::max(size_ + bytes, data_.size() * 2 + 256);
    if (size_ + bytes <= data_.capacity()) size = std::min(size, data_.capacity());
    data_.resize(size);
  }
  char* at = data_.data() + size_;
  size_ += bytes;
  return at;
}

void ByteWriter::Reserve(size_t bytes) {
  data_.reserve(bytes);
}

bool ByteWriter::Flush() {
  if (!failed_ && size_ != 0) failed_ = !(*sink_)(Written());
  size_ = 0;
  return !failed_;
}

void ByteWriter::WriteInt32(int32_t value) {
  std::memcpy(Grow(4), &value, 4);
}

void ByteWriter::WriteInt32s(const std::vector<int32_t>& values) {
  // In pieces, so that a writer in parts keeps to the size of its parts.
  constexpr size_t kPiece = 16384;
  for (size_t i = 0; i < values.size(); i += kPiece) {
    const size_t n = std::min(kPiece, values.size() - i);
    std::memcpy(Grow(n * 4), values.data() + i, n * 4);
  }
}

void ByteWriter::WriteUInt16(uint16_t value) {
  std::memcpy(Grow(2), &value, 2);
}

void ByteWriter::WriteBytes(std::string_view bytes) {
  if (!bytes.empty()) std::memcpy(Grow(bytes.size()), bytes.data(), bytes.size());
}

void ByteWriter::WriteMaskedBytes(std::string_view bytes, char mask) {
  MaskBytes(Grow(bytes.size()), bytes.data(), bytes.size(), mask);
}

const std::string& ByteWriter::Data() {
  data_.resize(size_);
  return data_;
}

}  // namespace norumi
