// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/KeyboardKeys.h"

#include "hangul/core/KeyboardTables.h"

namespace norumi {

const std::array<JamoKey, 40> kJamoKeys = {{
    {"bbG", u'ㄱ', 1, 'R', false, "読み：k・g か行・が行 キー：r"},
    {"bbGG", u'ㄲ', 2, 'R', true, "読み：kk・gg っか行・っが行 キー：SHIFT + r"},
    {"bbN", u'ㄴ', 3, 'S', false, "読み：n な行 キー：s"},
    {"bbD", u'ㄷ', 4, 'E', false, "読み：t・d た行・だ行 キー：e"},
    {"bbDD", u'ㄸ', 5, 'E', true, "読み：tt・dd った行・っだ行 キー：SHIFT + e"},
    {"bbL", u'ㄹ', 6, 'F', false, "読み：r ら行 キー：f"},
    {"bbM", u'ㅁ', 7, 'A', false, "読み：m ま行 キー：a"},
    {"bbB", u'ㅂ', 8, 'Q', false, "読み：p・b ぱ行・ば行 キー：q"},
    {"bbBB", u'ㅃ', 9, 'Q', true, "読み：pp・bb っぱ行・っば行 キー：SHIFT + q"},
    {"bbS", u'ㅅ', 10, 'T', false, "読み：s さ行 キー：t"},
    {"bbSS", u'ㅆ', 11, 'T', true, "読み：ss っさ行 キー：SHIFT + t"},
    {"bbNG", u'ㅇ', 12, 'D', false, "読み：a・ng あ行・ん キー：d"},
    {"bbJ", u'ㅈ', 13, 'W', false, "読み：z・j じゃ行 キー：w"},
    {"bbJJ", u'ㅉ', 14, 'W', true, "読み：zz・jj っじゃ行 キー：SHIFT + w"},
    {"bbCH", u'ㅊ', 15, 'C', false, "読み：ch ちゃ行 キー：c"},
    {"bbKH", u'ㅋ', 16, 'Z', false, "読み：kh か行 キー：z"},
    {"bbTH", u'ㅌ', 17, 'X', false, "読み：th た行 キー：x"},
    {"bbPH", u'ㅍ', 18, 'V', false, "読み：ph ぱ行 キー：v"},
    {"bbH", u'ㅎ', 19, 'G', false, "読み：h は行 キー：g"},
    {"bbA", u'ㅏ', 50, 'K', false, "読み：a あ段 キー：k"},
    {"bbAE1", u'ㅐ', 51, 'O', false, "読み：e え段 キー：o"},
    {"bbYA", u'ㅑ', 52, 'I', false, "読み：ya や段 キー：i"},
    {"bbYAE1", u'ㅒ', 53, 'O', true, "読み：ye いぇ段 キー：SHIFT + o"},
    {"bbO1", u'ㅓ', 54, 'J', false, "読み：o お段 キー：j"},
    {"bbOE1", u'ㅔ', 55, 'P', false, "読み：e え段 キー：p"},
    {"bbYO1", u'ㅕ', 56, 'U', false, "読み：yo よ段 キー：u"},
    {"bbYOE1", u'ㅖ', 57, 'P', true, "読み：ye いぇ段 キー：SHIFT + p"},
    {"bbO2", u'ㅗ', 58, 'H', false, "読み：o お段 キー：h"},
    {"bbOA", u'ㅘ', 59, 0, false, nullptr, "wa わ段"},
    {"bbOAE", u'ㅙ', 60, 0, false, nullptr, "we うぇ段"},
    {"bbOI", u'ㅚ', 61, 0, false, nullptr, "we うぇ段"},
    {"bbYO2", u'ㅛ', 62, 'Y', false, "読み：yo よ段 キー：y"},
    {"bbU1", u'ㅜ', 63, 'N', false, "読み：u う段 キー：n"},
    {"bbUO", u'ㅝ', 64, 0, false, nullptr, "wo うぉ段"},
    {"bbUOI", u'ㅞ', 65, 0, false, nullptr, "we うぇ段"},
    {"bbUI", u'ㅟ', 66, 0, false, nullptr, "wi うぃ段"},
    {"bbYU", u'ㅠ', 67, 'B', false, "読み：yu ゆ段 キー：b"},
    {"bbU2", u'ㅡ', 68, 'M', false, "読み：u う段 キー：m"},
    {"bbUI2", u'ㅢ', 69, 0, false, nullptr, "ui うい段"},
    {"bbI", u'ㅣ', 70, 'L', false, "読み：i い段 キー：l"},
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

namespace {

const JamoKey& KeyOfTag(int tag) {
  for (const JamoKey& key : kJamoKeys)
    if (key.tag == tag) return key;
  return kJamoKeys.front();  // every tag of the keyboard's tables has its button
}

// The keys as typed: a compound vowel is its two vowels one after the other, as the keyboard
// model combines them.
QString TypingKeys(const JamoKey& key) {
  if (key.letter) {
    const QString letter(QChar::fromLatin1(key.letter).toLower());
    return key.shift ? QStringLiteral("Shift+") + letter : letter;
  }
  for (const auto& row : kbd::kCompoundVowels)
    if (row.Combined == key.tag)
      return TypingKeys(KeyOfTag(row.Pending)) + u' ' + TypingKeys(KeyOfTag(row.Added));
  return {};
}

}  // namespace

QString SpokenKeyName(const JamoKey& key) {
  const QString jamo(QChar(key.jamo));
  const QString keys = TypingKeys(key);
  return keys.isEmpty() ? jamo : QStringLiteral("%1 (%2)").arg(jamo, keys);
}

QString SpokenKeyDescription(const JamoKey& key) {
  if (key.hint) return QString::fromUtf8(key.hint);
  if (!key.reading) return {};
  return QStringLiteral("読み：%1 キー：%2").arg(QString::fromUtf8(key.reading), TypingKeys(key));
}

}  // namespace norumi
