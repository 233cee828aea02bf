// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace norumi {

class JapaneseReadings;

// A typed answer judged against one stored meaning, and why, for teachers checking their files.
struct MeaningVerdict {
  bool right = false;
  QString why;  // English, one line
};

// Whether a stored meaning accepts a typed answer. The answer counts, not how it was typed:
// blanks around it, full or half width, hiragana or katakana and sentence punctuation at its end
// make no difference; it may be any form the meaning names (AcceptedForms). With `readings`, a
// spelling that reads the same is the same answer where one spelling's kanji are among the
// other's (美味しい for おいしい, お疲れ様 for お疲れさま, never 箸 for 橋); a polite and a plain
// ending of the same last word are the same (行きます 行く, 大丈夫です 大丈夫, 好きだ 好き);
// and so are a number in digits and in kanji (1つ 一つ ひとつ). An empty answer is never right.
MeaningVerdict JudgeMeaning(const QString& meaning, const QString& answer, bool phrase,
                            const JapaneseReadings* readings);

}  // namespace norumi
