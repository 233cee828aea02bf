// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordFiles.h"

#include "Cli.h"
#include "Text.h"
#include "platform/text/WordFileName.h"
#include "platform/text/WordFilePath.h"

namespace norumi::wbk {

LoadStatus LoadExisting(TTangoList& list, const std::filesystem::path& path) {
  const LoadStatus status = list.LoadFromFile(path);
  if (status == LoadStatus::Missing) throw Failure("no word file at " + ShowPath(path));
  return status;
}

std::string TitleFromFileName(const std::filesystem::path& path, std::string_view where) {
  QString name = FromPath(path.filename());
  const QStringView extension(kWordFileExtension);
  if (name.endsWith(extension, Qt::CaseInsensitive)) name.chop(extension.size());
  const std::string title = ToCp932OrRefuse(name, where);
  RequireUsableTitle(title, where);
  return title;
}

void RequireUsableTitle(const std::string& titleCp932, std::string_view where) {
  // Any folder will do: the title either stays inside it or is refused.
  if (!WordFilePath(std::filesystem::path("."), titleCp932))
    throw Failure(std::string(where) + ": \"" + ShowText(titleCp932) +
                  "\" cannot be the name of a word file");
}

}  // namespace norumi::wbk
