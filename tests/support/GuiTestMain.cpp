// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the GUI tests: one QApplication for the whole run, drawn off screen unless the
// caller asked for a platform of its own.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
