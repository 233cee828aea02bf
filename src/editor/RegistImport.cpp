// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's import: the words of a tab-separated text file, read as wbk import reads
// them, added to the open word file at once.
#include <QAction>
#include <QFileDialog>
#include <QScopeGuard>

#include "editor/Regist.h"
#include "exchange/TsvWords.h"
#include "platform/BusyWork.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/WordFileName.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

const QString kImportCaption = QStringLiteral("TSVから読み込み");

QString ProblemText(const TsvProblem& problem) {
  const QString line = QStringLiteral("%1行目").arg(problem.line);
  switch (problem.kind) {
    case TsvProblem::Kind::NotUtf8:
      return line + QStringLiteral(": UTF-8のテキストではありません");
    case TsvProblem::Kind::NulByte:
      return line + QStringLiteral(": NULバイトがあります");
    case TsvProblem::Kind::NoJapanese:
      return line + QStringLiteral(": 日本語の列がありません");
    case TsvProblem::Kind::TooManyColumns:
      return line + QStringLiteral(": 列が%1個あります（韓国語、日本語、説明文、参照URLの4列まで）")
                        .arg(problem.columns);
    case TsvProblem::Kind::Empty:
      return line + (problem.column == TsvColumn::Korean
                         ? QStringLiteral(": 韓国語の列にハングルがありません")
                         : QStringLiteral(": 日本語の列が空です"));
    case TsvProblem::Kind::NotCp932:
      break;
  }
  static const QString kColumns[] = {QStringLiteral("韓国語"), QStringLiteral("日本語"),
                                     QStringLiteral("説明文"), QStringLiteral("参照URL")};
  return line + QStringLiteral(" %1の列: 「%2」の「%3」(%4)は単語ファイルに保存できない文字です")
                    .arg(kColumns[int(problem.column)], problem.text, problem.character,
                         problem.codePoint);
}

}  // namespace

// Made when first asked for, as building a file dialog costs more than the rest of the window;
// once made it stays, so that it opens where the last list came from.
QFileDialog& TfrmRegist::OpenDialog() {
  if (!OpenDialog1) {
    OpenDialog1 = Named(new QFileDialog(this, kImportCaption), "OpenDialog1");
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setNameFilters({QStringLiteral("タブ区切りテキスト (*.tsv *.txt)"),
                                 QStringLiteral("すべてのファイル (*)")});
  }
  return *OpenDialog1;
}

void TfrmRegist::T1Click() {
  if (!editing_ || IsLocked()) return;
  if (services_.dialogs.ShowModal(OpenDialog()) != kModalOk) return;
  const QString name = OpenDialog1->selectedFiles().value(0);
  if (name.isEmpty()) return;
  // A list of a million lines takes a while to read: the window waits without freezing.
  TsvWords read;
  {
    importing_ = true;
    const auto imported = qScopeGuard([this] { importing_ = false; });
    RunWhileBusy(*this, kImportCaption, QStringLiteral("単語を読み込んでいます…"),
                 [&] { read = ReadTsvWords(ReadWholeFile(ToPath(name))); });
  }
  // All or nothing, as wbk import without --skip-invalid: a list half read in is harder to put
  // right than a file mended in the spreadsheet and read again.
  if (!read.problems.empty()) {
    const QStringList lines =
        ListTsvProblems(read.problems, ProblemText, QStringLiteral("ほか%1行"));
    services_.dialogs.DetailedMessage(
        this,
        QStringLiteral("次の%1行を読み込めないため、何も追加しませんでした。")
            .arg(read.problems.size()),
        lines.join(QChar('\n')), kImportCaption, MsgIcon::Stop);
    return;
  }
  if (!MayLeaveEntry(kImportCaption)) return;
  // The empty entries browsing appended would stand between the old words and the new ones.
  WordList->RemoveEmpty();
  const int32_t first = WordList->Count();
  const int added = WordList->AddAbsent(read.words);
  CurrentIndex = added > 0 ? first : WordList->Count();
  ShowEntry(CurrentIndex);
  SaveWordFile();
  services_.dialogs.MessageBox(
      this, QStringLiteral("%1語のうち%2語を追加しました。").arg(read.words.Count()).arg(added),
      kImportCaption, MsgIcon::Information);
}

}  // namespace norumi
