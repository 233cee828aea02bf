// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "judging/MeaningForms.h"
#include "judging/MeaningJudge.h"
#include "judging/Readings.h"

namespace norumi {
namespace {

struct Row {
  const char* meaning;
  const char* answer;
  bool withReadings;     // judged with the Japanese analyser
  bool withoutReadings;  // a build or a machine without it
  bool phrase = false;   // the Korean word is a phrase
};

// Rows a bilingual teacher marked, one of each kind.
const Row kRows[] = {
    // How it is typed makes no difference.
    {"犬", "猫", false, false},
    {"犬", "　犬 ", true, true},
    {"ネコ", "ﾈｺ", true, true},
    {"ネコ", "ねこ", true, true},
    {"がっこう", "ｶﾞｯｺｳ", true, true},
    {"CD1", "ＣＤ１", true, true},
    {"こんにちは", "こんにちは。", true, true},
    {"こんにちは", "こんにちは！", true, true},
    // Notes and alternatives.
    {"さようなら（見送る側）", "さようなら", true, true},
    {"さようなら（見送る側）", "さようなら(見送る側) ", true, true},
    {"さようなら（見送る側）", "さようなら（去る側）", false, false},
    {"さようなら（見送る側）", "見送る側", false, false},
    {"言う、話す", "話す", true, true},
    {"言う、話す", "言う、話す", true, true},
    {"言う、話す", "言", false, false},
    {"良い；いい", "いい", true, true},
    {"高い（値段、質が）", "高い", true, true},
    {"高い〔値段が〕", "高い", true, true},
    {"ドア・戸", "戸", true, true},
    {"（お）茶", "お茶", true, true},
    {"（お）茶", "茶", true, true},
    {"勉強（する）", "勉強する", true, true},
    {"準備/〜する", "準備する", true, true},
    {"準備/〜する", "準備", true, true},
    {"アフターサービス、A/S", "A/S", true, true},
    {"1,000", "1,000", true, true},
    {"では、また", "では、また。", true, true, true},
    // No wrong answer through.
    {"言う、、話す", "", false, false},
    {"", "", false, false},
    {"言う", "　", false, false},
    {"1,000", "000", false, false},
    {"1/2", "2", false, false},
    {"3/1（独立運動記念日）", "1", false, false},
    {"アフターサービス、A/S", "A", false, false},
    {"〜/〜する", "〜", false, false},
    {"準備/〜する", "〜する", false, false},
    {"アイス・クリーム", "アイス", false, false},
    {"では、また", "また", false, false, true},
    {"いいえ、結構です", "いいえ", false, false, true},
    // Readings: the same word in another spelling, never another word.
    {"おいしい", "美味しい", true, false},
    {"美味しい", "おいしい", true, false},
    {"おやすみなさい", "お休みなさい", true, false},
    {"お疲れさまでした", "お疲れ様でした", true, false},
    {"誰", "だれ", true, false},
    {"橋", "箸", false, false},
    {"橋", "はし", true, false},
    // Forms: polite and plain, digits and kanji; nothing else.
    {"大丈夫です", "大丈夫", true, false},
    {"行く", "行きます", true, false},
    {"好きだ", "好きです", true, false},
    {"一つ", "1つ", true, false},
    {"一つ", "ひとつ", true, false},
    {"千", "1,000", true, false},
    {"行く", "行った", false, false},
    {"行く", "行かない", false, false},
    {"大丈夫です", "大", false, false},
};

TEST(JudgeMeaning, AgreesWithTheTeacher) {
  const JapaneseReadings* readings = JapaneseReadings::Shared();
  if (JapaneseReadings::InThisBuild())
    ASSERT_NE(readings, nullptr) << JapaneseReadings::MissingReason().toStdString();
  for (const Row& row : kRows) {
    const QString meaning = QString::fromUtf8(row.meaning);
    const QString answer = QString::fromUtf8(row.answer);
    const MeaningVerdict without = JudgeMeaning(meaning, answer, row.phrase, nullptr);
    EXPECT_EQ(without.right, row.withoutReadings)
        << row.answer << " for " << row.meaning << ": " << without.why.toStdString();
    if (!readings) continue;
    const MeaningVerdict with = JudgeMeaning(meaning, answer, row.phrase, readings);
    EXPECT_EQ(with.right, row.withReadings)
        << row.answer << " for " << row.meaning << " with readings: " << with.why.toStdString();
  }
}

TEST(JudgeMeaning, AKoreanPhraseHoldsABlankOrPunctuationBetweenItsLetters) {
  EXPECT_TRUE(IsKoreanPhrase({0xADF8, 0xB7FC, 32, 0xB610, 0}));  // 그럼 또
  EXPECT_TRUE(IsKoreanPhrase({0xB124, '!'}));
  EXPECT_FALSE(IsKoreanPhrase({0xB098, 0xBB34, 32, 0, 0}));  // 나무 with a blank cell after it
  EXPECT_FALSE(IsKoreanPhrase({}));
}

}  // namespace
}  // namespace norumi
