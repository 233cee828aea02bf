// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/TextForms.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <utility>

#include "hangul/core/CodeKinds.h"
#include "hangul/core/Compose.h"

namespace norumi {

namespace {

std::string_view UpToFirstZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

bool StartsWithHexPrefix(std::string_view& text) {
  for (std::string_view prefix : {"0x", "0X", "x", "X", "$"}) {
    if (text.starts_with(prefix)) {
      text.remove_prefix(prefix.size());
      return true;
    }
  }
  return false;
}

// The number of a reference, read as a signed 32-bit integer: leading spaces, a sign, then
// decimal digits or hexadecimal ones after a prefix. Anything else, an overflow included, is 0.
int32_t ReadReferenceNumber(std::string_view text) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  bool negative = false;
  if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const int base = StartsWithHexPrefix(text) ? 16 : 10;
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                 : int64_t(std::numeric_limits<int32_t>::max());
  if (magnitude > uint64_t(limit)) return 0;
  return int32_t(negative ? -int64_t(magnitude) : int64_t(magnitude));
}

}  // namespace

HangulCodes UnicodeTextToCodes(std::u16string_view text) {
  HangulCodes codes;
  UnicodeTextToCodes(text, codes);
  return codes;
}

void UnicodeTextToCodes(std::u16string_view text, HangulCodes& codes) {
  codes.clear();
  codes.reserve(text.size() + 1);  // and a closing 0 code, which most callers add
  for (char16_t unit : text) {
    if (unit == 0) break;
    codes.push_back(unit);
  }
  codes = ComposeJamo(std::move(codes));
}

std::u16string CodesToUnicodeText(const HangulCodes& codes) {
  std::u16string text;
  AppendUnicodeText(codes, text);
  return text;
}

void AppendUnicodeText(const CodeView& codes, std::u16string& out) {
  for (size_t i = 0; i < codes.size(); ++i)
    if (const int32_t code = codes[i]; code != 0) out += static_cast<char16_t>(code & 0xFFFF);
}

void AppendPasted(HangulCodes& word, const HangulCodes& pasted) {
  std::copy_if(pasted.begin(), pasted.end(), std::back_inserter(word),
               [](int32_t code) { return !IsZeroWidthCode(code); });
  word.erase(word.begin(), std::find_if_not(word.begin(), word.end(), IsBlankCode));
}

std::string CodesToEucKr(const HangulCodes& codes, const TUni2Euc& table) {
  std::string bytes;
  for (int32_t code : codes) {
    if (code == 0) continue;  // even if a table maps 0 to something
    const int32_t value = table.UnicodeToEuc(code) & 0xFFFF;
    if (value == 32) {
      bytes += ' ';
      continue;
    }
    const char high = char(value >> 8), low = char(value & 0xFF);
    if (high == 0) continue;
    bytes += high;
    if (low != 0) bytes += low;
  }
  return bytes;
}

HangulCodes EucKrToCodes(std::string_view bytes, const TUni2Euc& table) {
  bytes = UpToFirstZero(bytes);
  HangulCodes codes;
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = uint8_t(bytes[i]);
    if (lead == ' ') {
      codes.push_back(32);
      ++i;
      continue;
    }
    if (i + 1 == bytes.size()) break;
    codes.push_back(table.EucToUnicode(lead << 8 | uint8_t(bytes[i + 1])));
    i += 2;
  }
  return ComposeJamo(std::move(codes));
}

std::string CodesToReferences(const HangulCodes& codes, bool hexadecimal) {
  std::string text;
  char number[16];
  for (int32_t code : codes) {
    if (code == 0) continue;
    if (code == 32) {
      text += ' ';
      continue;
    }
    // Hexadecimal writes the 32 bits as they are, as "%x" does.
    const auto [end, error] =
        hexadecimal ? std::to_chars(number, number + sizeof number, uint32_t(code), 16)
                    : std::to_chars(number, number + sizeof number, code);
    text += hexadecimal ? "&#x" : "&#";
    text.append(number, end);
    text += ';';
  }
  return text;
}

HangulCodes ReferencesToCodes(std::string_view text) {
  text = UpToFirstZero(text);
  HangulCodes codes;
  // The text is consumed from the front; the positions of the next "&#" and ";" are kept and
  // searched again only once consumed, so a long text costs one pass, not one pass per reference.
  size_t pos = 0;
  size_t amp = text.find("&#"), semicolon = text.find(';');
  while (true) {
    if (pos < text.size() && text[pos] == ' ') {
      codes.push_back(32);
      ++pos;
      continue;
    }
    if (amp < pos) amp = text.find("&#", pos);
    if (semicolon < pos) semicolon = text.find(';', pos);
    if (amp == std::string_view::npos || semicolon == std::string_view::npos) break;
    if (semicolon > amp)
      codes.push_back(ReadReferenceNumber(text.substr(amp + 2, semicolon - amp - 2)));
    pos = semicolon + 1;
  }
  return ComposeJamo(std::move(codes));
}

}  // namespace norumi
