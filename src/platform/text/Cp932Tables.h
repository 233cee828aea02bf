// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The CP932 codec's own conversions, read off it into tables, for converting many texts in a
// row. Each gives what the codec gives, or false (appending nothing) for a text holding what
// its table does not know; the caller then leaves that text to the codec. Not on Windows.
#include <QStringView>
#include <string>
#include <string_view>

namespace norumi::cp932 {

inline constexpr const char* kCodec = "windows-31j";

bool AppendDecoded(std::string_view bytes, std::u16string& out);
// How the ASCII characters of a text are written: as they are, or escaped for a column of
// tab-separated text (as AppendTsvEscaped writes it) or for a JSON string.
enum class Escape { None, Tsv, Json };
bool AppendDecodedUtf8(std::string_view bytes, std::string& out, Escape escape);
// No character takes more UTF-8 bytes a byte of CP932 than this, escaped or not.
inline constexpr size_t kUtf8PerByte = 6;
// The same written at `at`, which has room for kUtf8PerByte bytes a byte of `bytes`: the end of
// what it wrote, or null where AppendDecodedUtf8 gives false (the room may then hold anything).
char* DecodeUtf8To(char* at, std::string_view bytes, Escape escape);
// With the signs Linux types folded as FoldForCp932 folds them.
bool AppendEncoded(QStringView text, std::string& out);

}  // namespace norumi::cp932
