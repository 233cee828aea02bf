#include "hangul/view/KeyboardKeys.h"

namespace norumi {

const std::array<JamoKey, 40> kJamoKeys = {{
    {"bbG", 1, 'R', false, "読み：k・g か行・が行 キー：r"},
    {"bbGG", 2, 'R', true, "読み：kk・gg っか行・っが行 キー：SHIFT + r"},
    {"bbN", 3, 'S', false, "読み：n な行 キー：s"},
    {"bbD", 4, 'E', false, "読み：t・d た行・だ行 キー：e"},
    {"bbDD", 5, 'E', true, "読み：tt・dd った行・っだ行 キー：SHIFT + e"},
    {"bbL", 6, 'F', false, "読み：r ら行 キー：f"},
    {"bbM", 7, 'A', false, "読み：m ま行 キー：a"},
    {"bbB", 8, 'Q', false, "読み：p・b ぱ行・ば行 キー：q"},
    {"bbBB", 9, 'Q', true, "読み：pp・bb っぱ行・っば行 キー：SHIFT + q"},
    {"bbS", 10, 'T', false, "読み：s さ行 キー：t"},
    {"bbSS", 11, 'T', true, "読み：ss っさ行 キー：SHIFT + t"},
    {"bbNG", 12, 'D', false, "読み：a・ng あ行・ん キー：d"},
    {"bbJ", 13, 'W', false, "読み：z・j じゃ行 キー：w"},
    {"bbJJ", 14, 'W', true, "読み：zz・jj っじゃ行 キー：SHIFT + w"},
    {"bbCH", 15, 'C', false, "読み：ch ちゃ行 キー：c"},
    {"bbKH", 16, 'Z', false, "読み：kh か行 キー：z"},
    {"bbTH", 17, 'X', false, "読み：th た行 キー：x"},
    {"bbPH", 18, 'V', false, "読み：ph ぱ行 キー：v"},
    {"bbH", 19, 'G', false, "読み：h は行 キー：g"},
    {"bbA", 50, 'K', false, "読み：a あ段 キー：k"},
    {"bbAE1", 51, 'O', false, "読み：e え段 キー：o"},
    {"bbYA", 52, 'I', false, "読み：ya や段 キー：i"},
    {"bbYAE1", 53, 'O', true, "読み：ye いぇ段 キー：SHIFT + o"},
    {"bbO1", 54, 'J', false, "読み：o お段 キー：j"},
    {"bbOE1", 55, 'P', false, "読み：e え段 キー：p"},
    {"bbYO1", 56, 'U', false, "読み：yo よ段 キー：u"},
    {"bbYOE1", 57, 'P', true, "読み：ye いぇ段 キー：SHIFT + p"},
    {"bbO2", 58, 'H', false, "読み：o お段 キー：h"},
    {"bbOA", 59, 0, false, nullptr},
    {"bbOAE", 60, 0, false, nullptr},
    {"bbOI", 61, 0, false, nullptr},
    {"bbYO2", 62, 'Y', false, "読み：yo よ段 キー：y"},
    {"bbU1", 63, 'N', false, "読み：u う段 キー：n"},
    {"bbUO", 64, 0, false, nullptr},
    {"bbUOI", 65, 0, false, nullptr},
    {"bbUI", 66, 0, false, nullptr},
    {"bbYU", 67, 'B', false, "読み：yu ゆ段 キー：b"},
    {"bbU2", 68, 'M', false, "読み：u う段 キー：m"},
    {"bbUI2", 69, 0, false, nullptr},
    {"bbI", 70, 'L', false, "読み：i い段 キー：l"},
}};

int JamoKeyForLetter(char letter, bool shift) {
  int plain = -1;
  for (int i = 0; i < static_cast<int>(kJamoKeys.size()); ++i) {
    const JamoKey& key = kJamoKeys[i];
    if (key.letter != letter) continue;
    if (key.shift == shift) return i;
    if (!key.shift) plain = i;
  }
  return plain;  // Shift with a letter that has no shifted jamo types the plain one
}

}  // namespace norumi
