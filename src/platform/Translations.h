// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <filesystem>

class QTranslator;

namespace norumi {

// Where Qt's own translations are looked for: a "translations" folder in the data folder (as a
// Windows installation lays them beside the program), then Qt's own folder.
QStringList QtTranslationFolders(const std::filesystem::path& dataFolder);

// Installs Qt's Japanese texts for its standard buttons and boxes (はい, いいえ, キャンセル) from
// the first of `folders` that holds them. Returns the translator, owned by the application
// (deleting it uninstalls it), or nullptr when none holds them: the built-in English texts then
// stay.
QTranslator* InstallQtTranslations(const QStringList& folders);

}  // namespace norumi
