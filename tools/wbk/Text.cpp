#include "Text.h"

#include "Cli.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "platform/text/Tsv.h"
#include "platform/text/TsvWords.h"

namespace norumi::wbk {

void AppendCp932AsUtf8(std::string& out, std::string_view cp932) {
  AppendUtf8FromCp932(cp932, out);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string utf8;
  AppendCp932AsUtf8(utf8, cp932);
  return utf8;
}

std::string ShowText(const std::string& cp932) {
  return EscapeControls(Cp932ToUtf8(cp932));
}

std::string UncodableMessage(std::string_view where, const QString& text,
                             const Uncodable& character) {
  return (QString::fromUtf8(where) +
          QStringLiteral(": \"%1\" has a character CP932 cannot hold (\"%2\", %3)")
              .arg(text, character.character, character.codePoint))
      .toStdString();
}

std::string ToCp932OrRefuse(const QString& text, std::string_view where) {
  if (auto bytes = ToCp932(text)) return *std::move(bytes);
  throw Failure(UncodableMessage(where, text, FirstUncodable(text).value_or(Uncodable{})));
}

QString CodesToKorean(const HangulCodes& codes) {
  const std::u16string text = CodesToUnicodeText(codes);
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

}  // namespace norumi::wbk
