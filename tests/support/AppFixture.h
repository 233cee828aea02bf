#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "PlatformDoubles.h"
#include "TempDir.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/text/WordFileName.h"

namespace norumi::test {

// A program folder, a settings file and scripted services of its own for one test.
class AppFixture : public testing::Test {
 protected:
  AppFixture()
      : registry(FromPath(folder / "config" / "registry.ini")), services{registry, dialogs, shell} {
    services.executablePath = FromPath(folder / "norumi");
    services.programFolder = folder.Path();
  }

  void WriteFile(const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
  }

  TempDir folder;
  SettingsRegistry registry;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  Services services;
};

}  // namespace norumi::test
