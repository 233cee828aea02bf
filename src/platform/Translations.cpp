// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/text/WordFileName.h"

namespace norumi {

QStringList QtTranslationFolders(const std::filesystem::path& dataFolder) {
  return {FromPath(dataFolder / "translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator* InstallQtTranslations(const QStringList& folders) {
  for (const QString& folder : folders) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    // The interface is Japanese whatever the system's language, so the language is fixed.
    if (translator->load(QStringLiteral("qtbase_ja"), folder) &&
        QCoreApplication::installTranslator(translator))
      return translator;
    delete translator;
  }
  return nullptr;
}

}  // namespace norumi
