// SPDX-License-Identifier: GPL-3.0-or-later
#include "judging/MeaningJudge.h"

#include <QStringList>

#include "judging/MeaningForms.h"
#include "judging/Readings.h"

namespace norumi {

namespace {

// How a text is compared: its letters as read (hiragana as katakana), its reading where the
// analyser knows it, and its kanji in order.
struct Key {
  QString shown;
  QString compared;  // as the analyser read it: digits in kanji, a polite ending made plain
  QString letters;
  QString reading;
  QString kanji;
};

QString AsKatakana(QString text) {
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    // ぁ to ゖ, ゝ and ゞ: their katakana lie 0x60 further on.
    if ((u >= u'\u3041' && u <= u'\u3096') || u == u'\u309D' || u == u'\u309E')
      c = QChar(char16_t(u + 0x60));
  }
  return text;
}

// A text that is nothing but punctuation keeps it: it is then the word itself.
QString WithoutClosingPunctuation(const QString& text) {
  QString kept = text;
  while (!kept.isEmpty() && QStringView(u"\u3002.!?").contains(kept.back())) {
    kept.chop(1);
    kept = kept.trimmed();
  }
  return kept.isEmpty() ? text : kept;
}

// A whole number below 100,000,000 in kanji, as it is written in running text (千, 一万).
QString KanjiNumber(qint64 value) {
  static const QString digits = QStringLiteral("〇一二三四五六七八九");
  const auto below10000 = [&](qint64 n) {
    QString text;
    const std::pair<int, QChar> units[] = {{1000, u'千'}, {100, u'百'}, {10, u'十'}};
    for (const auto& [unit, sign] : units) {
      const qint64 d = n / unit;
      if (d > 1) text += digits[d];
      if (d > 0) text += sign;
      n %= unit;
    }
    if (n > 0) text += digits[n];
    return text;
  };
  if (value == 0) return digits.left(1);
  return (value >= 10000 ? below10000(value / 10000) + u'万' : QString()) +
         below10000(value % 10000);
}

bool IsAsciiDigit(const QString& text, qsizetype i) {
  return i >= 0 && i < text.size() && text[i].unicode() < 0x80 && text[i].isDigit();
}

// Numbers in digits, thousands perhaps grouped by commas, written in kanji, so that the analyser
// reads 1つ as 一つ. A number led by 0, or too long to be a count, stays as it is.
QString DigitsAsKanji(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size();) {
    if (!IsAsciiDigit(text, i)) {
      out += text[i++];
      continue;
    }
    QString digits;
    qsizetype end = i;
    while (IsAsciiDigit(text, end) ||
           (end < text.size() &&
            (text[end] == u',' && IsAsciiDigit(text, end + 1) && IsAsciiDigit(text, end + 2) &&
             IsAsciiDigit(text, end + 3) && !IsAsciiDigit(text, end + 4)))) {
      if (text[end] != u',') digits += text[end];
      ++end;
    }
    const bool count = digits.size() <= 8 && (digits.size() == 1 || digits[0] != u'0');
    out += count ? KanjiNumber(digits.toLongLong()) : text.mid(i, end - i);
    i = end;
  }
  return out;
}

bool IsAt(const JapaneseToken& token, const char16_t* partOfSpeech) {
  return token.partOfSpeech == QStringView(partOfSpeech);
}

// The text with a polite or copular ending made plain: 行きます → 行く, 大丈夫です and 大丈夫だ
// → 大丈夫. Any other ending, past and negative forms among them, stays as it is.
QString PlainEnding(const QString& text, const std::vector<JapaneseToken>& tokens) {
  const size_t n = tokens.size();
  if (n < 2) return text;
  const JapaneseToken& last = tokens[n - 1];
  const JapaneseToken& before = tokens[n - 2];
  if (!IsAt(last, u"助動詞") || last.inflection != u"基本形") return text;
  QString head;
  for (size_t i = 0; i + 2 < n; ++i) head += tokens[i].surface;
  if (last.baseForm == u"ます" && IsAt(before, u"動詞") && before.inflection == u"連用形")
    return head + before.baseForm;
  if ((last.baseForm == u"です" || last.baseForm == u"だ") &&
      (IsAt(before, u"名詞") || (IsAt(before, u"形容詞") && before.inflection == u"基本形")))
    return head + before.surface;
  return text;
}

QString ReadingOf(const std::vector<JapaneseToken>& tokens) {
  QString reading;
  for (const JapaneseToken& token : tokens)
    reading += token.reading.isEmpty() ? AsKatakana(token.surface) : token.reading;
  return reading;
}

Key KeyOf(const QString& text, const JapaneseReadings* readings) {
  Key key;
  key.shown = WithoutClosingPunctuation(NormalizedText(text));
  QString compared = key.shown;
  if (readings && !compared.isEmpty()) {
    compared = DigitsAsKanji(compared);
    auto tokens = readings->Analyse(compared);
    const QString plain = PlainEnding(compared, tokens);
    if (plain != compared) {
      compared = plain;
      tokens = readings->Analyse(compared);
    }
    key.reading = ReadingOf(tokens);
  }
  key.compared = compared;
  key.letters = AsKatakana(compared);
  for (const QChar c : compared) {
    if (c.script() == QChar::Script_Han) key.kanji += c;
  }
  return key;
}

bool IsSubsequence(const QString& part, const QString& whole) {
  qsizetype at = 0;
  for (const QChar c : whole) {
    if (at < part.size() && part[at] == c) ++at;
  }
  return at == part.size();
}

bool ReadsAs(const Key& answer, const Key& form) {
  return !answer.reading.isEmpty() && answer.reading == form.reading &&
         (IsSubsequence(answer.kanji, form.kanji) || IsSubsequence(form.kanji, answer.kanji));
}

}  // namespace

MeaningVerdict JudgeMeaning(const QString& meaning, const QString& answer, bool phrase,
                            const JapaneseReadings* readings) {
  const Key typed = KeyOf(answer, readings);
  if (typed.letters.isEmpty()) return {false, QStringLiteral("the answer is empty")};
  const QStringList forms = AcceptedForms(meaning, phrase);
  for (const QString& form : forms) {
    const Key stored = KeyOf(form, readings);
    if (stored.letters.isEmpty()) continue;
    if (typed.letters == stored.letters) {
      if (typed.compared == typed.shown && stored.compared == stored.shown)
        return {true, "the same as \"" + form + "\""};
      return {true, "the same as \"" + form + "\" (compared as \"" + stored.compared + "\")"};
    }
    if (ReadsAs(typed, stored)) return {true, "reads as \"" + form + "\" (" + typed.reading + ")"};
  }
  QString why = forms.isEmpty() ? QStringLiteral("the meaning names no answer")
                                : "none of the answers it names: \"" + forms.join("\", \"") + "\"";
  if (!readings) why += QStringLiteral(" (readings not compared: no Japanese analyser)");
  return {false, why};
}

}  // namespace norumi
