// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace norumi {

namespace {

// "\Software\tarumo\pomnor\" becomes the group "Software/tarumo/pomnor".
QString Group(const QString& key) {
  QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  return parts.join(QLatin1Char('/'));
}

}  // namespace

QString SettingsRegistry::DefaultFile() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(config).filePath(QStringLiteral("tarumo/registry.ini"));
}

SettingsRegistry::SettingsRegistry(const QString& file) {
#ifdef _WIN32
  if (file.isEmpty()) {
    settings_ =
        std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE"), QSettings::NativeFormat);
    return;
  }
#endif
  settings_ =
      std::make_unique<QSettings>(file.isEmpty() ? DefaultFile() : file, QSettings::IniFormat);
}

SettingsRegistry::~SettingsRegistry() = default;

QString SettingsRegistry::ReadMachineString(const QString& key, const QString& name) {
  settings_->sync();  // another program of ours may have changed the file
  const QVariant value = settings_->value(Group(key) + QLatin1Char('/') + name);
  return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

void SettingsRegistry::WriteMachineString(const QString& key, const QString& name,
                                          const QString& text) {
  settings_->setValue(Group(key) + QLatin1Char('/') + name, text);
  settings_->sync();
}

void SettingsRegistry::DeleteMachineKey(const QString& key) {
  settings_->remove(Group(key));
  settings_->sync();
}

QString ReadKeyboardPath(IRegistry& registry) {
  return registry.ReadMachineString(kKeyboardKey, QStringLiteral("path"));
}

QString KeyboardProgramIn(const QString& folder) {
#ifdef _WIN32
  const QString name = QStringLiteral("norumi-keyboard.exe");
#else
  const QString name = QStringLiteral("norumi-keyboard");
#endif
  return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

void RegisterKeyboardProgram(IRegistry& registry, const QString& program) {
  // A keyboard that is gone (a removed package, a deleted build) gives way to this one.
  const QString registered = ReadKeyboardPath(registry);
  if ((registered.isEmpty() || !QFileInfo(registered).isFile()) && QFileInfo(program).isFile())
    registry.WriteMachineString(kKeyboardKey, QStringLiteral("path"), program);
}

}  // namespace norumi
