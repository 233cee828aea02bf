// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace norumi {

// The program's text lives in CP932 ("windows-31j") bytes; the windows and the tools work in
// Qt strings. Every conversion between the two goes through here.
QString FromCp932(const std::string& bytes);
// Appends to `out` what FromCp932 gives for `bytes`, without making a QString: the way to convert
// many texts in a row.
void AppendFromCp932(std::string_view bytes, std::u16string& out);
// Appends the UTF-8 of FromCp932(bytes) to `utf8`.
void AppendUtf8FromCp932(std::string_view bytes, std::string& utf8);
// The text of `bytes` only when it converts back to exactly the same bytes: what a name that
// becomes a file name needs, so that two titles never stand for one file.
std::optional<QString> FromCp932Exactly(const std::string& bytes);
// Empty when `text` holds a character CP932 cannot hold. The signs that Linux input methods type
// for ～ － ― ∥ ￠ ￡ ￢ are taken as these.
std::optional<std::string> ToCp932(QStringView text);
// Appends what ToCp932 gives to `out`; false, appending nothing, when it gives nothing.
bool AppendCp932(QStringView text, std::string& out);
// The first character of `text` that CP932 cannot hold, as an index; -1 when there is none.
qsizetype FirstNonCp932(const QString& text);

}  // namespace norumi
