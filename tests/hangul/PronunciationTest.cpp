// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "hangul/core/Pronunciation.h"
#include "model/Utf8.h"

namespace norumi {
namespace {

std::string Text(const HangulCodes& codes) {
  std::string text;
  for (const int32_t code : codes) AppendUtf8(code, text);
  return text;
}

SaidForms Say(const char* word) {
  return PronunciationOf(CodesFromUtf8(word));
}

struct Said {
  const char* word;
  const char* said;
};

TEST(Pronunciation, EachRuleAndItsExceptions) {
  const Said rows[] = {
      // linking, double finals included
      {"읽어", "일거"},
      {"값이", "갑씨"},
      {"앉아", "안자"},
      {"한국어", "한구거"},
      // final neutralisation and double-final simplification
      {"닭", "닥"},
      {"여덟", "여덜"},
      {"밟다", "밥따"},
      {"맑게", "말께"},
      {"닭고기", "닥꼬기"},
      // nasalisation
      {"먹는", "멍는"},
      {"먹는다", "멍는다"},
      {"국물", "궁물"},
      {"밥물", "밤물"},
      {"담력", "담녁"},
      {"백리", "뱅니"},
      // lateralisation and the suffixes that keep ㄴ
      {"신라", "실라"},
      {"칼날", "칼랄"},
      {"의견란", "의견난"},
      {"생산량", "생산냥"},
      {"대관령", "대괄령"},
      {"상견례", "상견녜"},
      // tensing
      {"국밥", "국빱"},
      {"옆집", "엽찝"},
      {"읽다", "익따"},
      {"학교", "학꾜"},
      {"발전", "발쩐"},
      {"알다", "알다"},
      {"골드", "골드"},
      {"물고기", "물꼬기"},
      {"할게요", "할께요"},
      // aspiration and palatalisation
      {"좋다", "조타"},
      {"각하", "가카"},
      {"맏형", "마텽"},
      {"밝히다", "발키다"},
      {"같이", "가치"},
      {"굳이", "구지"},
      {"해돋이", "해도지"},
      {"굳히다", "구치다"},
      // ㅎ dropping, and ㅎ before ㄴ
      {"좋아", "조아"},
      {"많아", "마나"},
      {"싫어", "시러"},
      {"놓는", "논는"},
      // ㄴ insertion in compounds, and words that look alike but take none
      {"꽃잎", "꼰닙"},
      {"색연필", "생년필"},
      {"담요", "담뇨"},
      {"알약", "알략"},
      {"월요일", "워료일"},
      {"필요", "피료"},
      // a final said alone before a word of its own
      {"맛없다", "마덥따"},
      {"겉옷", "거돋"},
      // vowels
      {"계", "게"},
      {"예절", "예절"},
      {"의사", "의사"},
      {"희망", "히망"},
      {"우리의", "우리에"},
      {"주의", "주이"},
      {"강의", "강이"},
      {"가져", "가저"},
  };
  for (const auto& row : rows) EXPECT_EQ(Text(Say(row.word).hangul), row.said) << row.word;
}

TEST(Pronunciation, CodesThatAreNoSyllableEndAStretchAndStay) {
  // An empty cell (0) inside the word keeps its cell and is no letter of the texts.
  const HangulCodes word = {0xAD6D, ' ', 0xBB3C, 0x1100, 0xD55C, 'A', 0, 0xAC00, 0, 0};
  const SaidForms said = PronunciationOf(word);
  EXPECT_EQ(said.hangul.size(), 8u);
  EXPECT_EQ(said.roman, "guk mulᄀhanAga");
  EXPECT_EQ(said.katakana, "クク ムルᄀハンAカ");
  EXPECT_EQ(Text(Say("같이\t굳이").hangul), "가치\t구지");
}

TEST(Romanization, OfficialExamples) {
  const Said rows[] = {
      {"신라", "silla"},         {"종로", "jongno"},
      {"같이", "gachi"},         {"좋다", "jota"},
      {"학교", "hakgyo"},        {"백마", "baengma"},
      {"신문로", "sinmunno"},    {"왕십리", "wangsimni"},
      {"별내", "byeollae"},      {"학여울", "hangnyeoul"},
      {"알약", "allyak"},        {"해돋이", "haedoji"},
      {"굳히다", "guchida"},     {"좋고", "joko"},
      {"놓다", "nota"},          {"잡혀", "japyeo"},
      {"낳지", "nachi"},         {"압구정", "apgujeong"},
      {"낙동강", "nakdonggang"}, {"죽변", "jukbyeon"},
      {"낙성대", "nakseongdae"}, {"합정", "hapjeong"},
      {"팔당", "paldang"},       {"샛별", "saetbyeol"},
      {"울산", "ulsan"},         {"구미", "gumi"},
      {"영동", "yeongdong"},     {"백암", "baegam"},
      {"옥천", "okcheon"},       {"합덕", "hapdeok"},
      {"호법", "hobeop"},        {"월곶", "wolgot"},
      {"벚꽃", "beotkkot"},      {"한밭", "hanbat"},
      {"구리", "guri"},          {"설악", "seorak"},
      {"칠곡", "chilgok"},       {"임실", "imsil"},
      {"울릉", "ulleung"},       {"대관령", "daegwallyeong"},
      {"희망", "huimang"},       {"계", "gye"},
      {"값이", "gapsi"},
  };
  for (const auto& row : rows) EXPECT_EQ(Say(row.word).roman, row.said) << row.word;
}

TEST(Katakana, VoicingAndFinals) {
  const Said rows[] = {
      {"국물", "クンムル"},   {"한국어", "ハングゴ"}, {"감사합니다", "カムサハムニダ"},
      {"학교", "ハクキョ"},   {"바다", "パダ"},       {"좋다", "チョタ"},
      {"의사", "ウィサ"},     {"밥", "パプ"},         {"옷", "オッ"},
      {"있어요", "イッソヨ"},
  };
  for (const auto& row : rows) EXPECT_EQ(Say(row.word).katakana, row.said) << row.word;
}

}  // namespace
}  // namespace norumi
