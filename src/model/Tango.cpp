// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Tango.h"

#include <algorithm>

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

void WriteMaskedString(ByteWriter& out, std::string_view text, int32_t key) {
  const size_t length = std::min(text.size(), text.find('\0'));  // up to the first zero byte
  out.WriteInt32(static_cast<int32_t>(length) ^ key);
  out.WriteMaskedBytes(std::string_view(text.data(), length), static_cast<char>(key & 0xFF));
}

bool ReadMaskedString(ByteReader& in, std::string& text, int32_t key) {
  int32_t length = 0;
  if (!in.ReadInt32(length)) return false;
  length ^= key;
  if (length < 0 || !in.ReadBytes(static_cast<size_t>(length), text)) return false;
  if (MaskBytes(text.data(), text.data(), text.size(), static_cast<char>(key & 0xFF)))
    text.resize(text.find('\0'));
  return true;
}

}  // namespace norumi
