#include "hangul/core/TextForms.h"

namespace norumi {

HangulCodes UnicodeTextToCodes(std::u16string_view text) {
  HangulCodes codes;
  for (char16_t unit : text) {
    if (unit == 0) break;
    codes.push_back(unit);
  }
  return codes;
}

std::u16string CodesToUnicodeText(const HangulCodes& codes) {
  std::u16string text;
  for (int32_t code : codes)
    if (code != 0) text += static_cast<char16_t>(code & 0xFFFF);
  return text;
}

}  // namespace norumi
