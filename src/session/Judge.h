// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/TangoList.h"

namespace norumi {

class JapaneseReadings;

// How answers are judged, apart from the windows that ask. `word` is an entry of `list`.

// Korean to Japanese: right when a meaning of an entry with the same Korean word (the same codes,
// trailing 0 codes aside) accepts the answer.
bool IsRightMeaning(TTangoList& list, const TTango& word, const std::string& answer);
// Whether the meaning of `word` accepts a typed answer (CP932), as JudgeMeaning judges it, with
// the readings of this process's Japanese analyser unless `readings` is given (none: without).
bool MeaningAccepts(const TTango& word, const std::string& answer);
bool MeaningAccepts(const TTango& word, const std::string& answer,
                    const JapaneseReadings* readings);
// The meanings of every entry with the same Korean word, in list order, joined by ",".
std::string AnswerMeanings(TTangoList& list, const TTango& word);

// Japanese to Korean. What of a pasted answer is judged: without the blanks at either end (spaces
// of every width, tabs, line breaks, zero-width characters, 0 codes), which copying from another
// program often brings along and which the learner cannot see.
HangulCodes AnswerAsJudged(const HangulCodes& answer);
// A non-empty answer is a stored word when it reads the same: the whole word, not the start
// of it (stored words end with 0 codes that a pasted answer never holds).
bool IsSameKorean(const HangulCodes& answer, const HangulCodes& stored);
// Right when the answer matches an entry with the same meaning.
bool IsRightKorean(TTangoList& list, const TTango& word, const HangulCodes& answer);
// The Korean words of every entry with the same meaning, in list order, one space between.
HangulCodes AnswerKorean(TTangoList& list, const TTango& word);

// The word a quiz stands on: the entry at `position` of the question order (still to be asked,
// or any word with `anyWord`); none when the drill has no such word or the index lies outside
// the list, as a damaged history may make it.
TTango* WordAt(TTangoList& list, TRirekiList& history, int32_t position, bool anyWord);

}  // namespace norumi
