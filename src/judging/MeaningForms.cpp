// SPDX-License-Identifier: GPL-3.0-or-later
#include "judging/MeaningForms.h"

#include <algorithm>

namespace norumi {

namespace {

bool IsOpening(QChar c) {
  return QStringView(u"(\u3014\u3010[").contains(c);
}
bool IsClosing(QChar c) {
  return QStringView(u")\u3015\u3011]").contains(c);
}
bool IsPlaceholder(QChar c) {
  return QStringView(u"~\u301C\uFF5E").contains(c);
}
bool IsAsciiAlnum(QChar c) {
  return c.unicode() < 0x80 && c.isLetterOrNumber();
}
bool IsKatakana(QChar c) {
  return c.unicode() >= 0x30A1 && c.unicode() <= 0x30FC && c != u'・';
}
bool IsHiragana(QChar c) {
  return c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
}

bool SeparatesAt(const QString& text, qsizetype i, bool phrase) {
  const QChar c = text[i];
  if (!QStringView(u"\u3001,/;\u30FB").contains(c)) return false;
  if (phrase && (c == u'\u3001' || c == u',')) return false;
  const QChar before = i > 0 ? text[i - 1] : QChar();
  const QChar after = i + 1 < text.size() ? text[i + 1] : QChar();
  if (IsAsciiAlnum(before) && IsAsciiAlnum(after)) return false;
  return !(c == u'\u30FB' && IsKatakana(before) && IsKatakana(after));
}

// The parts of `text` between separators outside brackets.
QStringList Parts(const QString& text, bool phrase) {
  QStringList parts;
  int depth = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (IsOpening(text[i])) {
      ++depth;
    } else if (IsClosing(text[i]) && depth > 0) {
      --depth;
    } else if (depth == 0 && SeparatesAt(text, i, phrase)) {
      parts << text.mid(start, i - start).trimmed();
      start = i + 1;
    }
  }
  parts << text.mid(start).trimmed();
  return parts;
}

// `text` with each bracketed note left out, or with the notes of kana only read into it. A
// bracket left open is no note: the text then stays as it is.
QString WithNotes(const QString& text, bool kanaNotesKept) {
  QString kept;
  QString note;
  int depth = 0;
  for (const QChar c : text) {
    if (IsOpening(c)) {
      if (depth++ > 0) note += c;
    } else if (IsClosing(c) && depth > 0) {
      if (--depth > 0) {
        note += c;
        continue;
      }
      if (kanaNotesKept && !note.isEmpty() && std::all_of(note.begin(), note.end(), IsHiragana))
        kept += note;
      note.clear();
    } else {
      (depth > 0 ? note : kept) += c;
    }
  }
  return depth == 0 ? kept.trimmed() : text;
}

bool OnlyPlaceholders(const QString& text) {
  return std::all_of(text.begin(), text.end(),
                     [](QChar c) { return IsPlaceholder(c) || c.isSpace(); });
}

// Each part, a part that begins with a placeholder joined to the last part that does not.
QStringList Alternatives(const QStringList& parts) {
  QStringList alternatives;
  QString base;
  for (const QString& part : parts) {
    if (OnlyPlaceholders(part)) continue;
    if (IsPlaceholder(part[0])) {
      alternatives << (base.isEmpty() ? part : base + part.mid(1).trimmed());
    } else {
      alternatives << part;
      base = part;
    }
  }
  return alternatives;
}

}  // namespace

bool IsKoreanPhrase(const std::vector<int32_t>& codes) {
  QString text;
  for (const int32_t code : codes) {
    const auto point = static_cast<char32_t>(code);
    if (code > 0 && code <= 0x10FFFF) text += QString::fromUcs4(&point, 1);
  }
  text = text.trimmed();
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace() || c.isPunct(); });
}

QString NormalizedText(const QString& text) {
  return text.normalized(QString::NormalizationForm_KC).trimmed();
}

QStringList AcceptedForms(const QString& meaning, bool phrase) {
  const QString whole = NormalizedText(meaning);
  QStringList alternatives = Alternatives(Parts(whole, phrase));
  if (alternatives.size() != 1 || alternatives[0] != whole) alternatives.prepend(whole);
  QStringList forms;
  for (const QString& alternative : alternatives) {
    for (const QString& form :
         {alternative, WithNotes(alternative, false), WithNotes(alternative, true)}) {
      if (!form.isEmpty() && !OnlyPlaceholders(form) && !forms.contains(form)) forms << form;
    }
  }
  return forms;
}

}  // namespace norumi
