#include "model/Tango.h"

#include <cstring>

namespace norumi {

void TTango::Assign(const TTango& source) {
  Japan = source.Japan;
  Hangul = source.Hangul;
  Setsumei = source.Setsumei;
  Url = source.Url;
}

bool TTango::IsSameWord(const TTango& other) const {
  return Japan == other.Japan && Hangul == other.Hangul;
}

void WriteMaskedString(ByteWriter& out, const std::string& text, int32_t key) {
  const size_t length = std::strlen(text.c_str());  // up to the first zero byte
  out.WriteInt32(static_cast<int32_t>(length) ^ key);
  out.WriteMaskedBytes(std::string_view(text.data(), length), static_cast<char>(key & 0xFF));
}

bool ReadMaskedString(ByteReader& in, std::string& text, int32_t key) {
  int32_t length = 0;
  if (!in.ReadInt32(length)) return false;
  length ^= key;
  if (length < 0 || !in.ReadBytes(static_cast<size_t>(length), text)) return false;
  const char low = static_cast<char>(key & 0xFF);
  for (char& c : text) c ^= low;
  const auto zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return true;
}

bool TTango::LoadFromStream(ByteReader& in) {
  if (!ReadMaskedString(in, Japan, Key)) return false;
  int32_t count = 0;
  if (!in.ReadInt32(count)) return false;
  count ^= Key;
  if (count < 0 || static_cast<size_t>(count) > in.Remaining() / 4) return false;
  Hangul.resize(count);
  for (auto& code : Hangul) {
    in.ReadInt32(code);
    code ^= Key;
  }
  return ReadMaskedString(in, Setsumei, Key) && ReadMaskedString(in, Url, Key);
}

void TTango::SaveToStream(ByteWriter& out) const {
  WriteMaskedString(out, Japan, Key);
  out.WriteInt32(static_cast<int32_t>(Hangul.size()) ^ Key);
  for (int32_t code : Hangul) out.WriteInt32(code ^ Key);
  WriteMaskedString(out, Setsumei, Key);
  WriteMaskedString(out, Url, Key);
}

}  // namespace norumi
