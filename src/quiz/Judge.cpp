#include "quiz/Judge.h"

#include <algorithm>

namespace norumi {

bool IsRightMeaning(TTangoList& list, const TTango& word, const std::string& answer) {
  std::vector<TTango*> same;
  list.FindByHangul(word.Hangul, same);
  return std::any_of(same.begin(), same.end(), [&](const TTango* t) { return t->Japan == answer; });
}

std::string AnswerMeanings(TTangoList& list, const TTango& word) {
  std::vector<TTango*> same;
  list.FindByHangul(word.Hangul, same);
  std::string text;
  for (const TTango* t : same) {
    if (t != same.front()) text += ',';
    text += t->Japan;
  }
  return text;
}

bool IsPrefixOf(const HangulCodes& answer, const HangulCodes& stored) {
  return !answer.empty() && answer.size() <= stored.size() &&
         std::equal(answer.begin(), answer.end(), stored.begin());
}

bool IsRightKorean(TTangoList& list, const TTango& word, const HangulCodes& answer) {
  std::vector<TTango*> same;
  list.FindByJapan(word.Japan, same);
  return std::any_of(same.begin(), same.end(),
                     [&](const TTango* t) { return IsPrefixOf(answer, t->Hangul); });
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
