// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Judge.h"

#include <algorithm>

#include "hangul/core/CodeKinds.h"
#include "judging/MeaningForms.h"
#include "judging/MeaningJudge.h"
#include "judging/Readings.h"
#include "platform/text/Cp932.h"

namespace norumi {

namespace {

// Every entry that shows the same Korean word as `word`: equal codes once the trailing 0 codes,
// which draw nothing, are left out.
std::vector<const TTango*> SameKorean(TTangoList& list, const TTango& word) {
  std::vector<const TTango*> same;
  const CodeView shown = CodeView(word.Hangul).Shown();
  for (int i = 0; i < list.Count(); ++i) {
    if (list.View(i).Hangul.Shown() == shown) same.push_back(&list.Tango(i));
  }
  return same;
}

}  // namespace

bool MeaningAccepts(const TTango& word, const std::string& answer,
                    const JapaneseReadings* readings) {
  return JudgeMeaning(FromCp932(word.Japan), FromCp932(answer), IsKoreanPhrase(word.Hangul),
                      readings)
      .right;
}

bool MeaningAccepts(const TTango& word, const std::string& answer) {
  return MeaningAccepts(word, answer, JapaneseReadings::Shared());
}

bool IsRightMeaning(TTangoList& list, const TTango& word, const std::string& answer) {
  const auto same = SameKorean(list, word);
  return std::any_of(same.begin(), same.end(),
                     [&](const TTango* t) { return MeaningAccepts(*t, answer); });
}

std::string AnswerMeanings(TTangoList& list, const TTango& word) {
  const auto same = SameKorean(list, word);
  std::string text;
  for (const TTango* t : same) {
    if (t != same.front()) text += ',';
    text += t->Japan;
  }
  return text;
}

HangulCodes AnswerAsJudged(const HangulCodes& answer) {
  const auto begin = std::find_if_not(answer.begin(), answer.end(), IsBlankCode);
  auto end = answer.end();
  while (end != begin && IsBlankCode(*(end - 1))) --end;
  return HangulCodes(begin, end);
}

bool IsSameKorean(const HangulCodes& answer, const HangulCodes& stored) {
  const HangulCodes judged = AnswerAsJudged(answer);
  return !judged.empty() && SameShownWord(judged, stored);
}

bool IsRightKorean(TTangoList& list, const TTango& word, const HangulCodes& answer) {
  std::vector<TTango*> same;
  list.FindByJapan(word.Japan, same);
  return std::any_of(same.begin(), same.end(),
                     [&](const TTango* t) { return IsSameKorean(answer, t->Hangul); });
}

HangulCodes AnswerKorean(TTangoList& list, const TTango& word) {
  std::vector<TTango*> same;
  list.FindByJapan(word.Japan, same);
  HangulCodes codes;
  for (const TTango* t : same) {
    if (t != same.front()) codes.push_back(32);
    codes.insert(codes.end(), t->Hangul.begin(), t->Hangul.end());
  }
  return codes;
}

TTango* WordAt(TTangoList& list, TRirekiList& history, int32_t position, bool anyWord) {
  // NextQuestion moves the history's resume point; asking where a word stands must not.
  const int32_t keep = history.Position;
  const int32_t index = history.NextQuestion(position, anyWord);
  history.Position = keep;
  if (index < 0 || index >= list.Count()) return nullptr;
  return &list.Tango(index);
}

}  // namespace norumi
