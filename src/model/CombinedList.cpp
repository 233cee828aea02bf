// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CombinedList.h"

#include <string>
#include <utility>

namespace norumi {

namespace {

bool SameWordsInOrder(TTangoList& a, const TTangoList& b) {
  if (a.Count() != b.Count()) return false;
  std::string scratch;
  for (int i = 0; i < a.Count(); ++i)
    if (!SameWord(a.View(i), b.View(i, scratch))) return false;
  return true;
}

}  // namespace

void TakeCombinedHistories(TTangoList& combined, const TTangoList* saved) {
  combined.UserName = saved ? saved->UserName : std::string();
  const bool sameWords = saved && SameWordsInOrder(combined, *saved);
  const std::pair<TRirekiList*, const TRirekiList*> histories[] = {
      {&combined.RirekiKor2Jap, saved ? &saved->RirekiKor2Jap : nullptr},
      {&combined.RirekiJap2Kor, saved ? &saved->RirekiJap2Kor : nullptr},
  };
  for (const auto& [mine, theirs] : histories) {
    if (sameWords) {
      *mine = *theirs;
      continue;
    }
    mine->ClearRecords();
    mine->ResetDrill();
    if (theirs)
      for (const TRireki& record : theirs->Records()) mine->AddRecord(record);
  }
}

}  // namespace norumi
