// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/TangoView.h"

namespace norumi {

// Tab-separated text as wbk and the word editor read it and wbk writes it. A tab, a line
// break, a carriage return and a backslash inside a column are written "\t", "\n", "\r" and
// "\\", so that every text survives a round trip; a "#" that would start a line (and make it a
// comment) is written "\#". Reading turns these five back and keeps any other backslash as it
// is.
//
// Appends UTF-8 text so escaped to `out`.
void AppendTsvEscaped(std::string_view utf8, bool startsLine, std::string& out);
// The same for a text in CP932, which does not start a line.
void AppendTsvFieldFromCp932(std::string_view cp932, std::string& out);
// The same for the codes of a Korean word, each one UTF-16 unit, the 0 codes left out.
void AppendTsvFieldFromCodes(const CodeView& codes, bool startsLine, std::string& out);
// The same written at `at`, which has room for three bytes a code and one more; gives the end of
// what it wrote, or nullptr for codes holding a surrogate, which only AppendTsvFieldFromCodes
// writes.
char* PutTsvFieldFromCodes(char* at, const CodeView& codes, bool startsLine);
QString UnescapeTsvField(const QString& text);

// A line that holds no text to split into columns.
struct TsvBadLine {
  int line = 0;
  bool nul = false;  // a NUL byte, which would cut the text it stands in when stored
};

// Hands on the rows of a UTF-8 text as it reads them: each row's line number (1-based,
// counting every line of the text) and its columns, unescaped, which stay valid during the call
// only. A BOM at the start, the carriage return of a CRLF line end, lines starting with "#" and
// blank lines are passed over. A line that is not UTF-8, or holds a NUL byte, goes to `bad` and
// the reading goes on.
using TakeTsvRow = std::function<void(int line, const std::vector<QStringView>& columns)>;
// `linesBefore`: the lines of the whole text before `utf8`, which is then a part of it that
// starts a line; only the whole text's start may hold a BOM.
void ForEachTsvRow(std::string_view utf8, std::vector<TsvBadLine>& bad, const TakeTsvRow& take,
                   int linesBefore = 0);

}  // namespace norumi
