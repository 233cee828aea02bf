#include "quiz/Judge.h"

#include <QStringList>
#include <algorithm>

#include "hangul/core/CodeKinds.h"
#include "platform/text/Cp932.h"

namespace norumi {

namespace {

// Every entry that shows the same Korean word as `word`: equal codes once the trailing 0 codes,
// which draw nothing, are left out.
std::vector<const TTango*> SameKorean(const TTangoList& list, const TTango& word) {
  std::vector<const TTango*> same;
  const CodeView shown = CodeView(word.Hangul).Shown();
  for (int i = 0; i < list.Count(); ++i) {
    if (list.View(i).Hangul.Shown() == shown) same.push_back(&list.Tango(i));
  }
  return same;
}

// How a text reads, whatever the width of its letters and kana, the kana it is written in and the
// blanks around it. NFKC also turns （）／，； into their ASCII forms and the ideographic space
// into a plain one.
QString Folded(const std::string& cp932) {
  QString text = FromCp932(cp932).normalized(QString::NormalizationForm_KC);
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    // ぁ to ゖ, ゝ and ゞ: their katakana lie 0x60 further on.
    if ((u >= u'\u3041' && u <= u'\u3096') || u == u'\u309D' || u == u'\u309E')
      c = QChar(char16_t(u + 0x60));
  }
  return text.trimmed();
}

// The alternatives a meaning lists: its parts between separators outside brackets, so that a
// note such as (値段が、質が) stays with its word.
QStringList Alternatives(const QString& meaning) {
  QStringList parts;
  int depth = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i < meaning.size(); ++i) {
    const QChar c = meaning[i];
    if (c == u'(') {
      ++depth;
    } else if (c == u')' && depth > 0) {
      --depth;
    } else if (depth == 0 && QStringView(u"\u3001,/;").contains(c)) {
      parts << meaning.mid(start, i - start);
      start = i + 1;
    }
  }
  parts << meaning.mid(start);
  return parts;
}

// `text` without its bracketed notes. A bracket left open is no note: the text stays as it is.
QString WithoutNotes(const QString& text) {
  QString kept;
  int depth = 0;
  for (const QChar c : text) {
    if (c == u'(') {
      ++depth;
    } else if (c == u')' && depth > 0) {
      --depth;
    } else if (depth == 0) {
      kept += c;
    }
  }
  return depth == 0 ? kept.trimmed() : text;
}

}  // namespace

bool MeaningAccepts(const std::string& meaning, const std::string& answer) {
  const QString typed = Folded(answer);
  const QString stored = Folded(meaning);
  if (typed == stored) return true;
  QStringList forms = Alternatives(stored);
  if (forms.size() > 1) forms.prepend(stored);
  for (const QString& form : forms) {
    // An empty alternative ("a、、b") or a bare note accepts no blank answer.
    for (const QString& candidate : {form.trimmed(), WithoutNotes(form)}) {
      if (!candidate.isEmpty() && candidate == typed) return true;
    }
  }
  return false;
}

bool IsRightMeaning(TTangoList& list, const TTango& word, const std::string& answer) {
  const auto same = SameKorean(list, word);
  return std::any_of(same.begin(), same.end(),
                     [&](const TTango* t) { return MeaningAccepts(t->Japan, answer); });
}

std::string AnswerMeanings(TTangoList& list, const TTango& word) {
  const auto same = SameKorean(list, word);
  std::string text;
  for (const TTango* t : same) {
    if (t != same.front()) text += ',';
    text += t->Japan;
  }
  return text;
}

HangulCodes AnswerAsJudged(const HangulCodes& answer) {
  const auto begin = std::find_if_not(answer.begin(), answer.end(), IsBlankCode);
  auto end = answer.end();
  while (end != begin && IsBlankCode(*(end - 1))) --end;
  return HangulCodes(begin, end);
}

bool IsSameKorean(const HangulCodes& answer, const HangulCodes& stored) {
  const HangulCodes judged = AnswerAsJudged(answer);
  return !judged.empty() && SameShownWord(judged, stored);
}

bool IsRightKorean(TTangoList& list, const TTango& word, const HangulCodes& answer) {
  std::vector<TTango*> same;
  list.FindByJapan(word.Japan, same);
  return std::any_of(same.begin(), same.end(),
                     [&](const TTango* t) { return IsSameKorean(answer, t->Hangul); });
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
