// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "model/Tango.h"
#include "model/TangoRecords.h"

namespace norumi {

// The columns of a line of words, in their order.
enum class TsvColumn { Korean, Japanese, Explanation, Url };

// Why a line of words cannot become a word: the first fault found on it.
struct TsvProblem {
  enum class Kind {
    NotUtf8,
    NulByte,         // would cut the text it stands in when stored
    NoJapanese,      // a single column
    TooManyColumns,  // `columns` of them, where four is the most
    Empty,           // `column`, Korean or Japanese, has nothing to show: the word could
                     // never be asked
    NotCp932,        // `text` in `column` holds `character`, which CP932 cannot hold
  };
  int line = 0;
  Kind kind = Kind::NotUtf8;
  int columns = 0;
  TsvColumn column = TsvColumn::Japanese;
  QString text, character;
  QString codePoint;  // of `character`, as "U+AC1C"
};

struct TsvWords {
  TangoRecords words;                // in the order of their lines
  std::vector<TsvProblem> problems;  // one per refused line, in line order
};

// The words of UTF-8 lines of Korean, Japanese and, optionally, explanation and URL (see
// ForEachTsvRow). Every line is read, so that all the refused ones can be named at once; what is
// done with the words when some are refused is the caller's choice.
TsvWords ReadTsvWords(std::string_view utf8);

// Korean as the Unicode-text paste reads it (one code per UTF-16 unit, decomposed Korean
// composed), with the 0 code the word editor appends when it registers a word; into `codes`,
// whose room is reused.
void KoreanToCodes(QStringView text, HangulCodes& codes);

// The first character of `text` CP932 cannot hold, with its code point as "U+AC1C"; nullopt
// when CP932 holds them all.
struct Uncodable {
  QString character, codePoint;
};
std::optional<Uncodable> FirstUncodable(const QString& text);

// A message names this many refused lines at most; the rest are only counted, since a long
// list that is wrong all through tells no more than its start.
constexpr size_t kListedProblems = 20;

// The first kListedProblems problems as `describe` words them, one line each (the line breaks,
// bidirectional and other controls of the texts they quote shown as escapes, see ShowControls),
// then `more` with the number of the others put in for %1.
QStringList ListTsvProblems(const std::vector<TsvProblem>& problems,
                            const std::function<QString(const TsvProblem&)>& describe,
                            const QString& more);

}  // namespace norumi
