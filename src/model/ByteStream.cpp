// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ByteStream.h"

#include <algorithm>
#include <cstring>

#include "model/HugePages.h"

namespace norumi {

// Eight bytes at a time, each eight read before they are written.
bool MaskBytes(char* to, const char* from, size_t count, char low) {
  const uint64_t lows = uint64_t(uint8_t(low)) * 0x0101010101010101u;
  uint64_t zeros = 0;
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t bytes;
    std::memcpy(&bytes, from + i, 8);
    bytes ^= lows;
    std::memcpy(to + i, &bytes, 8);
    zeros |= (bytes - 0x0101010101010101u) & ~bytes & 0x8080808080808080u;
  }
  for (; i < count; ++i) zeros |= (to[i] = char(from[i] ^ low)) == 0;
  return zeros != 0;
}

bool ByteReader::ReadInt32(int32_t& value) {
  if (Remaining() < 4) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  const uint32_t u =
      uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  value = static_cast<int32_t>(u);
  pos_ += 4;
  return true;
}

bool ByteReader::ReadUInt16(uint16_t& value) {
  if (Remaining() < 2) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  value = static_cast<uint16_t>(p[0] | p[1] << 8);
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
  if (data_.size() < size_ + bytes) data_.resize(std::max(size_ + bytes, data_.size() * 2 + 256));
  char* at = data_.data() + size_;
  size_ += bytes;
  return at;
}

void ByteWriter::Reserve(size_t bytes) {
  if (data_.size() >= bytes) return;
  data_.reserve(bytes);
  AdviseHugePages(data_.data(), data_.capacity());
  data_.resize(bytes);
}

void ByteWriter::WriteInt32(int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  char* at = Grow(4);
  at[0] = static_cast<char>(u & 0xFF);
  at[1] = static_cast<char>(u >> 8 & 0xFF);
  at[2] = static_cast<char>(u >> 16 & 0xFF);
  at[3] = static_cast<char>(u >> 24 & 0xFF);
}

void ByteWriter::WriteUInt16(uint16_t value) {
  char* at = Grow(2);
  at[0] = static_cast<char>(value & 0xFF);
  at[1] = static_cast<char>(value >> 8);
}

void ByteWriter::WriteBytes(std::string_view bytes) {
  if (!bytes.empty()) std::memcpy(Grow(bytes.size()), bytes.data(), bytes.size());
}

void ByteWriter::WriteMaskedBytes(std::string_view bytes, char mask) {
  MaskBytes(Grow(bytes.size()), bytes.data(), bytes.size(), mask);
}

const std::string& ByteWriter::Data() const {
  data_.resize(size_);
  return data_;
}

}  // namespace norumi
