#include "model/ByteStream.h"

namespace norumi {

bool ByteReader::ReadInt32(int32_t& value) {
  if (Remaining() < 4) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  const uint32_t u = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                     uint32_t(p[3]) << 24;
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

void ByteWriter::WriteInt32(int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8 & 0xFF),
                         static_cast<char>(u >> 16 & 0xFF), static_cast<char>(u >> 24 & 0xFF)};
  data_.append(bytes, 4);
}

void ByteWriter::WriteUInt16(uint16_t value) {
  const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  data_.append(bytes, 2);
}

}  // namespace norumi
