// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace norumi {

// The answers a stored meaning names, before readings and forms are compared: the whole
// meaning, and each alternative it lists, with and without its notes.
//
// Alternatives are separated by 、 , / ; and ・ outside brackets, but never between two ASCII
// letters or digits ("1,000", "1/2", "A/S") nor ・ between two katakana ("アイス・クリーム").
// The meaning of a phrase (`phrase`) is a translation, not a list: it is not split at 、 or ,.
// A part that is only a placeholder (〜) names nothing; a part that begins with one continues
// the part before it ("準備/〜する" names 準備 and 準備する). A note in brackets, （…） 〔…〕
// 【…】 [...], may be left out; a note of kana only may also be read into the word ("（お）茶"
// names お茶 and 茶).
//
// `meaning` is compatibility-normalised (NFKC) first; the forms are trimmed, never empty.
QStringList AcceptedForms(const QString& meaning, bool phrase);

// Whether a Korean word, as code points, is a phrase: it holds a blank or punctuation between
// its letters (0 codes, which draw nothing, and blanks at its ends aside).
bool IsKoreanPhrase(const std::vector<int32_t>& codes);

// `text` compatibility-normalised and trimmed, as the forms are.
QString NormalizedText(const QString& text);

}  // namespace norumi
