// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace norumi {

// String values under the machine-wide hive, as keys like "\Software\tarumo\pomnor\". Reads that
// cannot be done give the empty string; writes and deletions that cannot be done are skipped.
class IRegistry {
 public:
  virtual ~IRegistry() = default;
  virtual QString ReadMachineString(const QString& key, const QString& name) = 0;
  virtual void WriteMachineString(const QString& key, const QString& name, const QString& text) = 0;
  // Deletes the key with all its sub-keys and values.
  virtual void DeleteMachineKey(const QString& key) = 0;
};

// On Windows the machine hive itself. Elsewhere one settings file shared by every program of
// ours, the key path kept as its groups.
class SettingsRegistry : public IRegistry {
 public:
  // The settings file of this user: tarumo/registry.ini in the configuration folder.
  static QString DefaultFile();
  // `file` empty: the machine hive on Windows, DefaultFile() elsewhere.
  explicit SettingsRegistry(const QString& file = {});
  ~SettingsRegistry() override;

  QString ReadMachineString(const QString& key, const QString& name) override;
  void WriteMachineString(const QString& key, const QString& name, const QString& text) override;
  void DeleteMachineKey(const QString& key) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

// The keys and values the program keeps.
inline const QString kProgramKey = QStringLiteral("\\Software\\tarumo\\pomnor\\");
inline const QString kKeyboardKey = QStringLiteral("\\Software\\tarumo\\pomkey\\");
inline const QString kMakerKey = QStringLiteral("\\Software\\tarumo\\");

// The path of the separately installed Hangul keyboard program; empty when it is not installed.
QString ReadKeyboardPath(IRegistry& registry);

// The keyboard program's file in the program folder `folder`.
QString KeyboardProgramIn(const QString& folder);
// Registers `program` as the keyboard program, as its installer would: only while no keyboard is
// registered, or the one registered is no file any more, and only when `program` is a file.
void RegisterKeyboardProgram(IRegistry& registry, const QString& program);

}  // namespace norumi
