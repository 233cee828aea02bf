#include "Text.h"

#include <algorithm>

#include "Cli.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"

namespace norumi::wbk {

std::string Cp932ToUtf8(const std::string& cp932) {
  return FromCp932(cp932).toStdString();
}

std::string ShowText(const std::string& cp932) {
  return EscapeControls(Cp932ToUtf8(cp932));
}

std::string ToCp932OrRefuse(const QString& text, std::string_view where) {
  if (auto bytes = ToCp932(text)) return *std::move(bytes);
  const qsizetype at = std::max<qsizetype>(FirstNonCp932(text), 0);
  const QString character = text.mid(at, text.at(at).isHighSurrogate() ? 2 : 1);
  const char32_t point = character.size() == 2 && character.at(1).isLowSurrogate()
                             ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                             : character.at(0).unicode();
  const QString hex = QString::number(uint(point), 16).toUpper().rightJustified(4, QChar('0'));
  const QString message =
      QString::fromUtf8(where) +
      QStringLiteral(": \"%1\" has a character CP932 cannot hold (\"%2\", U+%3)")
          .arg(text, character, hex);
  throw Failure(message.toStdString());
}

HangulCodes KoreanToCodes(const QString& text) {
  HangulCodes codes = UnicodeTextToCodes(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
  codes.push_back(0);
  return codes;
}

QString CodesToKorean(const HangulCodes& codes) {
  const std::u16string text = CodesToUnicodeText(codes);
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

}  // namespace norumi::wbk
