// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/Cp932Codec.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/text/Cp932.h"
#endif

namespace norumi {

char16_t FoldForCp932(char16_t c) {
  constexpr std::pair<char16_t, char16_t> kFolds[] = {
      {u'\u301C', u'\uFF5E'},  // 〜 WAVE DASH -> ～ (81 60)
      {u'\u2212', u'\uFF0D'},  // − MINUS SIGN -> － (81 7C)
      {u'\u2014', u'\u2015'},  // — EM DASH -> ― (81 5C)
      {u'\u2016', u'\u2225'},  // ‖ DOUBLE VERTICAL LINE -> ∥ (81 61)
      {u'\u00A2', u'\uFFE0'},  // ¢ -> ￠ (81 91)
      {u'\u00A3', u'\uFFE1'},  // £ -> ￡ (81 92)
      {u'\u00AC', u'\uFFE2'},  // ¬ -> ￢ (81 CA)
  };
  for (const auto& [from, to] : kFolds)
    if (c == from) return to;
  return c;
}

#ifdef _WIN32

namespace {

constexpr UINT kCodePage = 932;

// The text of `bytes` when every byte belongs to a character of the code page.
std::optional<std::u16string> Decode(std::string_view bytes) {
  if (bytes.empty()) return std::u16string();
  std::wstring text(bytes.size(), L'\0');
  const int length = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           int(bytes.size()), text.data(), int(text.size()));
  if (length <= 0) return std::nullopt;
  return std::u16string(text.begin(), text.begin() + length);
}

}  // namespace

std::u16string Cp932ToUtf16(std::string_view bytes) {
  if (std::optional<std::u16string> text = Decode(bytes)) return *text;
  // Character by character. A lead byte and a byte that may follow one are one character, or
  // one U+FFFD when the pair has none; any other byte is a character alone, or U+FFFD.
  std::u16string text;
  for (size_t at = 0; at < bytes.size();) {
    const bool pair = at + 1 < bytes.size() && ::IsDBCSLeadByteEx(kCodePage, BYTE(bytes[at])) &&
                      BYTE(bytes[at + 1]) >= 0x40 && BYTE(bytes[at + 1]) != 0x7F &&
                      BYTE(bytes[at + 1]) <= 0xFC;
    const size_t length = pair ? 2 : 1;
    text += Decode(bytes.substr(at, length)).value_or(u"\uFFFD");
    at += length;
  }
  return text;
}

std::optional<std::u16string> Cp932ToUtf16Exactly(std::string_view bytes) {
  std::optional<std::u16string> text = Decode(bytes);
  if (!text || Utf16ToCp932(*text) != bytes) return std::nullopt;
  return text;
}

std::optional<std::string> Utf16ToCp932(std::u16string_view text) {
  if (text.empty()) return std::string();
  std::wstring folded(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) folded[i] = wchar_t(FoldForCp932(text[i]));
  // Two bytes at most per unit; no best fit: a character without its own bytes is refused.
  std::string bytes(2 * folded.size(), '\0');
  BOOL defaulted = FALSE;
  const int length =
      ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, folded.data(), int(folded.size()),
                            bytes.data(), int(bytes.size()), nullptr, &defaulted);
  if (length <= 0 || defaulted) return std::nullopt;
  bytes.resize(size_t(length));
  return bytes;
}

#else

std::u16string Cp932ToUtf16(std::string_view bytes) {
  return FromCp932(std::string(bytes)).toStdU16String();
}

std::optional<std::u16string> Cp932ToUtf16Exactly(std::string_view bytes) {
  const std::optional<QString> text = FromCp932Exactly(std::string(bytes));
  if (!text) return std::nullopt;
  return text->toStdU16String();
}

std::optional<std::string> Utf16ToCp932(std::u16string_view text) {
  return ToCp932(QString::fromUtf16(text.data(), qsizetype(text.size())));
}

#endif

}  // namespace norumi
