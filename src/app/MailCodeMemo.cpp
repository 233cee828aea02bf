// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MailCodeMemo.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "model/MailCode.h"
#include "platform/Dialogs.h"

namespace norumi {

namespace {

// The length the field's text would have with `pasted` in place of the selection. A CR LF
// becomes one line break in the field.
qsizetype LengthAfterPaste(const QPlainTextEdit& field, const QString& pasted) {
  const QTextCursor cursor = field.textCursor();
  const qsizetype held = field.document()->characterCount() - 1;  // less the closing separator
  const qsizetype replaced = cursor.selectionEnd() - cursor.selectionStart();
  return held - replaced + pasted.size() - pasted.count(QLatin1String("\r\n"));
}

// At most the longest line the field would hold with `pasted` at the cursor: the line the cursor
// is in, joined to the longest pasted line.
qsizetype LongestLineAfterPaste(const QPlainTextEdit& field, const QString& pasted) {
  qsizetype longest = 0;
  for (qsizetype start = 0; start <= pasted.size();) {
    qsizetype end = pasted.indexOf(QLatin1Char('\n'), start);
    if (end < 0) end = pasted.size();
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return field.textCursor().block().length() + longest;
}

}  // namespace

TMailCodeMemo::TMailCodeMemo(IDialogs& dialogs, QWidget* parent)
    : QPlainTextEdit(parent), dialogs_(dialogs) {
  // A line is laid out whole on every key: broken at the field's width, a long one costs less
  // than one as wide as its text. Only the display breaks; the text keeps its lines.
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAnywhere);
  setTabChangesFocus(true);
}

// canInsertFromMimeData is left as it is: refusing there would grey out the paste and reject
// the drop without a word, and measure the clipboard each time a menu opens.
void TMailCodeMemo::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText() &&
      (!MailCodeInputFits(size_t(LengthAfterPaste(*this, source->text()))) ||
       size_t(LongestLineAfterPaste(*this, source->text())) > kMailCodeMaxLine)) {
    dialogs_.MessageBox(window(), QStringLiteral("メルマガコードが正しくありません"),
                        QStringLiteral("メルマガコード入力"), MsgIcon::Stop);
    return;
  }
  QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace norumi
