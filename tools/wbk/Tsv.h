#pragma once

#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

namespace norumi::wbk {

// Tab-separated text as wbk reads and writes it. A tab, a line break, a carriage return and a
// backslash inside a column are written "\t", "\n", "\r" and "\\", so that every text survives
// a round trip; a "#" that would start a line (and make it a comment) is written "\#". Reading
// turns these five back and keeps any other backslash as it is.
QString EscapeTsvField(const QString& text, bool startsLine);
QString UnescapeTsvField(const QString& text);

struct TsvRow {
  int line = 0;  // 1-based, counting every line of the text
  QStringList columns;
};

// The rows of a UTF-8 text, columns unescaped. A BOM at the start, the carriage return of a
// CRLF line end, lines starting with "#" and blank lines are passed over. Text that is not
// UTF-8 is a Failure naming its line.
std::vector<TsvRow> ParseTsv(std::string_view utf8);

}  // namespace norumi::wbk
