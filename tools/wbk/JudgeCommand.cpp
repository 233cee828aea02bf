// SPDX-License-Identifier: GPL-3.0-or-later
// wbk judge: a typed meaning judged as the Korean-to-Japanese quiz judges it, for teachers
// checking what their files accept.
#include "Commands.h"
#include "hangul/core/TextForms.h"
#include "judging/MeaningForms.h"
#include "judging/MeaningJudge.h"
#include "judging/Readings.h"

namespace norumi::wbk {
namespace {

int RunJudge(const Invocation& call) {
  const Args args(call.args, {{"--korean", true}}, 2, 2);
  const QString meaning = ArgText(args.Positional()[0]);
  const QString answer = ArgText(args.Positional()[1]);
  bool phrase = false;
  if (const auto korean = args.Value("--korean"))
    phrase = IsKoreanPhrase(UnicodeTextToCodes(ArgText(*korean).toStdU16String()));
  const JapaneseReadings* readings = JapaneseReadings::Shared();
  if (!readings)
    call.Warn("readings are not compared: " + JapaneseReadings::MissingReason().toStdString());
  const MeaningVerdict verdict = JudgeMeaning(meaning, answer, phrase, readings);
  WriteOut((verdict.right ? "○ " : "× ") + EscapeControls(verdict.why.toStdString()) + "\n");
  return verdict.right ? 0 : 1;
}

}  // namespace

const Command kJudgeCommand{
    "judge", "MEANING ANSWER [--korean WORD]",
    "judge a typed answer against a meaning, as the quiz does",
    "Prints ○ or × and why: the form of MEANING the answer matched (an alternative, the word\n"
    "without its note, the same reading in another spelling, the plain form of a polite one),\n"
    "or the forms it names when none matched. --korean gives the Korean word the meaning\n"
    "belongs to: the meaning of a phrase (a word with a blank or punctuation) is one\n"
    "translation, not a list of alternatives.\n"
    "Readings come from MeCab with the IPA dictionary (mecab-ipadic-utf8); without it, a\n"
    "warning says so and answers are judged without readings, as the program then judges.\n"
    "Exit status: 0 for ○, 1 for ×, 2 wrong usage.\n",
    RunJudge};

}  // namespace norumi::wbk
