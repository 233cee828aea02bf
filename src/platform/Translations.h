#pragma once

#include <QStringList>

class QTranslator;

namespace norumi {

// Where Qt's own translations are looked for: a "translations" folder beside the program (as a
// Windows installation lays them), then Qt's own folder.
QStringList QtTranslationFolders();

// Installs Qt's Japanese texts for its standard buttons and boxes (はい, いいえ, キャンセル) from
// the first of `folders` that holds them. Returns the translator, owned by the application
// (deleting it uninstalls it), or nullptr when none holds them: the built-in English texts then
// stay.
QTranslator* InstallQtTranslations(const QStringList& folders = QtTranslationFolders());

}  // namespace norumi
