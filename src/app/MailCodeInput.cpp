#include "app/MailCodeInput.h"

#include <QStringList>

#include "editor/Regist.h"
#include "model/FileErrors.h"
#include "model/MailCode.h"
#include "model/TangoList.h"
#include "model/WordFileLock.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"

namespace norumi {

namespace {}  // namespace

TextLines MemoLines(const QString& text) {
  TextLines lines;
  for (QString line : text.split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const std::optional<std::string> bytes = ToCp932(line);
    lines.push_back(bytes ? *bytes : line.toUtf8().toStdString());
  }
  return lines;
}

CodeInput ReceiveMailCode(const QString& text, const std::filesystem::path& folder) {
  // A code is small: anything larger is not one, and is refused before it is split into lines.
  if (!MailCodeInputFits(size_t(text.size()))) return CodeInput::Unreadable;
  TTangoList list;
  TextLines lines = MemoLines(text);
  if (list.HeaderFromMailCode(lines) != kMailCodeOk) return CodeInput::Unreadable;
  // The title comes from anyone's newsletter: it must name a file of the folder and no other.
  const auto path = WordFilePath(folder, list.Title);
  if (!path) return CodeInput::Unreadable;
  // Read and written back under the file's lock, so that no other writer changes it between.
  const WordFileLock lock(*path);
  const LoadStatus status = list.LoadFromFile(*path);
  // Read again, so that the code's creator, title and URL replace the file's.
  lines = MemoLines(text);
  list.HeaderFromMailCode(lines);
  TTango entry;
  if (entry.FromMailCode(lines) != kMailCodeOk) return CodeInput::Unreadable;

  if (entry.DisplayOnly) {
    frmRegist->ShowDisplayOnly(list, entry);
    return CodeInput::Shown;
  }
  // Saving what a damaged file let us read would lose the rest of its words for good.
  if (IsDamaged(status)) throw EFDamagedError(*path);
  if (!list.Contains(entry)) list.AddCopy(entry);
  frmRegist->ShowDisplayOnly(list, entry);
  frmKor2Jap->StartSingle(list, entry);
  frmJap2Kor->StartSingle(list, entry);
  list.SaveToFile(*path);
  return CodeInput::Stored;
}

}  // namespace norumi
