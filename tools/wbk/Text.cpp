// SPDX-License-Identifier: GPL-3.0-or-later
#include "Text.h"

#include "Cli.h"
#include "exchange/TsvWords.h"
#include "platform/text/Cp932.h"

namespace norumi::wbk {

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string utf8;
  AppendUtf8FromCp932(cp932, utf8);
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

}  // namespace norumi::wbk
