// SPDX-License-Identifier: GPL-3.0-or-later
// Judging on arbitrary text, as a word file or a learner may bring it: a meaning and an answer
// split at the first tab, each read as UTF-8. Whatever they hold, judging ends, and a meaning
// always accepts itself unless it names no answer at all.
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "judging/MeaningForms.h"
#include "judging/MeaningJudge.h"
#include "judging/Readings.h"

using namespace norumi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t tab = text.find('\t');
  const QString meaning = QString::fromUtf8(text.substr(0, tab));
  const QString answer =
      tab == std::string_view::npos ? QString() : QString::fromUtf8(text.substr(tab + 1));
  const JapaneseReadings* readings = JapaneseReadings::Shared();
  for (const bool phrase : {false, true}) {
    JudgeMeaning(meaning, answer, phrase, readings);
    const bool named = !AcceptedForms(meaning, phrase).isEmpty();
    if (named && meaning.trimmed() == meaning &&
        !JudgeMeaning(meaning, meaning, phrase, readings).right)
      std::abort();
  }
  return 0;
}
