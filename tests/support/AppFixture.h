// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <memory>
#include <stdexcept>
#include <string>

#include "PlatformDoubles.h"
#include "TempDir.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"

namespace norumi::test {

// The CP932 bytes of a text, as word files hold them.
inline std::string Sj(const QString& text) {
  return ToCp932(text).value();
}

// A window's control by its object name.
template <typename T>
T& Find(QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name));
  if (!control) throw std::runtime_error(std::string("no control ") + name);
  return *control;
}

// What a screen reader hears of a control: its name, or another of its texts.
inline QString Heard(QWidget* control, QAccessible::Text text = QAccessible::Name) {
  return QAccessible::queryAccessibleInterface(control)->text(text);
}

// A program folder, a settings file and scripted services of its own for one test.
class AppFixture : public testing::Test {
 protected:
  AppFixture()
      : registry(FromPath(folder / "config" / "registry.ini")), services{registry, dialogs, shell} {
    services.executablePath = FromPath(folder / "norumi");
    services.wordFolder = folder.Path();
    services.dataFolder = folder.Path();
    services.speech = &speech;
  }

  void WriteFile(const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
  }

  TempDir folder;
  SettingsRegistry registry;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  RecordingSpeech speech;
  Services services;
};

}  // namespace norumi::test
