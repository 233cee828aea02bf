// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempDir.h"
#ifdef NORUMI_WBK_DRAW
#include <QImage>
#endif
#include "WbkRunner.h"

namespace norumi::test {
namespace {

TEST(WbkHangul, KeysComposeAsTheKeyboardDoes) {
  const WbkRun run = RunWbk({"hangul", "keys"}, "gks\ngksrnr \nekfr<<\nQ\r\n\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "[54620]\n[54620,44397,32,0]\n[45796]\n[4360]\n[0]\n");
  const WbkRun bad = RunWbk({"hangul", "keys"}, "gk1\n");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("line 1"), std::string::npos);
}

TEST(WbkHangul, EveryFormCopiesAndPastesBack) {
  const std::string text = "한 국\n";
  EXPECT_EQ(RunWbk({"hangul", "copy", "--pattern", "2"}, text).out, "&#54620; &#44397;");
  EXPECT_EQ(RunWbk({"hangul", "copy", "--pattern", "3"}, text).out, "&#xd55c; &#xad6d;");
  // EUC-KR through the table that lies beside the tool.
  const WbkRun euc = RunWbk({"hangul", "copy", "--pattern", "1"}, text);
  EXPECT_EQ(euc.out, "\xC7\xD1 \xB1\xB9");
  for (auto [pattern, bytes] : {std::pair{"0", std::string("한 국")},
                                {"1", euc.out},
                                {"2", std::string("&#54620; &#xad6d;")}}) {
    const WbkRun run = RunWbk({"hangul", "paste", "--pattern", pattern}, bytes);
    EXPECT_EQ(run.out, "[54620,32,44397]\n") << pattern;
  }
  EXPECT_EQ(RunWbk({"hangul", "copy", "--pattern", "4"}, text).status, 2);
}

TEST(WbkJudge, SaysRightOrWrongAndWhyInItsStatus) {
  const WbkRun right = RunWbk({"judge", "言う、話す", "話す"});
  EXPECT_EQ(right.status, 0) << right.err;
  EXPECT_EQ(right.out, "○ the same as \"話す\"\n");
  // The meaning of a phrase is one translation.
  const WbkRun phrase = RunWbk({"judge", "では、また", "また", "--korean", "그럼 또 봐요"});
  EXPECT_EQ(phrase.status, 1);
  EXPECT_EQ(phrase.out.rfind("× none of the answers it names: \"では、また\"", 0), 0u);
  // Readings, the program's own analyser, in the tool too.
  EXPECT_EQ(RunWbk({"judge", "おいしい", "美味しい"}).out, "○ reads as \"おいしい\" (オイシイ)\n");
  EXPECT_EQ(RunWbk({"judge", "言う"}).status, 2);
}

TEST(WbkPronounce, SaysHowWordsAreSaidInTextJsonAndSound) {
  const WbkRun text = RunWbk({"pronounce", "국물", "안녕 하세요"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "국물\t[궁물]\tgungmul\tクンムル\n안녕 하세요\t[안녕 하세요]\tannyeong haseyo\t"
            "アンニョン ハセヨ\n");
  EXPECT_EQ(RunWbk({"pronounce", "값이", "--json"}).out,
            "[\n  {\"word\": \"값이\", \"pronunciation\": \"갑씨\", \"romanization\": \"gapsi\", "
            "\"katakana\": \"カプシ\"}\n]\n");
  TempDir dir;
  const auto wav = dir / "word.wav";
  const WbkRun spoken = RunWbk({"pronounce", "--wav", Arg(wav), "감사합니다"});
  if (spoken.status == 0) {
    // Where speech is built in: a wave file of some length.
    const std::string bytes = ReadBytes(wav);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_GT(bytes.size(), 10'000u);
  } else {
    EXPECT_NE(spoken.err.find("speech"), std::string::npos) << spoken.err;
  }
  EXPECT_EQ(RunWbk({"pronounce", "--wav", Arg(wav), "국", "물"}).status, 2);
}

#ifdef NORUMI_WBK_DRAW
TEST(WbkHangul, DrawsALineOfCells) {
  TempDir dir;
  const auto png = dir / "line.png";
  EXPECT_EQ(RunWbk({"hangul", "draw", "한 국", "--png", Arg(png), "--width", "96"}).status, 0);
  const QImage image(FromPath(png));
  ASSERT_EQ(image.size(), QSize(96, 24));
  auto blackIn = [&](int x0) {
    int black = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = x0; x < x0 + 24; ++x) black += qGray(image.pixel(x, y)) < 128;
    return black;
  };
  EXPECT_GT(blackIn(0), 10);
  EXPECT_EQ(blackIn(24), 0);  // the space leaves its cell empty
  EXPECT_GT(blackIn(48), 10);
  EXPECT_EQ(blackIn(72), 0);
}
#endif

}  // namespace
}  // namespace norumi::test
