// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Utf8.h"

namespace norumi {

namespace {
constexpr int32_t kReplacement = 0xFFFD;
}  // namespace

void AppendUtf8(int32_t code, std::string& out) {
  if (!IsCharacter(code)) code = kReplacement;
  const auto c = uint32_t(code);
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

HangulCodes CodesFromUtf8(std::string_view text) {
  HangulCodes codes;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = uint8_t(text[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    int32_t code = length == 1   ? lead
                   : length == 2 ? lead & 0x1F
                   : length == 3 ? lead & 0x0F
                                 : lead & 0x07;
    bool valid = length != 0 && i + size_t(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = uint8_t(text[i + size_t(k)]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    // An overlong form or a surrogate is no character either.
    static constexpr int32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || code < kSmallest[length] || !IsCharacter(code)) {
      codes.push_back(kReplacement);
      ++i;
      continue;
    }
    codes.push_back(code);
    i += size_t(length);
  }
  return codes;
}

}  // namespace norumi
