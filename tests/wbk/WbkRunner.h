// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <string>

#include "model/TangoList.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"

namespace norumi::test {

struct WbkRun {
  int status = -1;
  std::string out, err;
};

// Runs `program` (a copy of the tool), feeding `input` to its standard input.
inline WbkRun RunProgram(const QString& program, const QStringList& args,
                         const std::string& input = {},
                         const std::filesystem::path& workingFolder = {}) {
  QProcess process;
  if (!workingFolder.empty()) process.setWorkingDirectory(FromPath(workingFolder));
  process.start(program, args);
  if (!process.waitForStarted()) return {};
  process.write(input.data(), qint64(input.size()));
  process.closeWriteChannel();
  process.waitForFinished(60'000);
  WbkRun run;
  if (process.exitStatus() == QProcess::NormalExit) run.status = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

// Runs the real tool, feeding `input` to its standard input.
inline WbkRun RunWbk(const QStringList& args, const std::string& input = {},
                     const std::filesystem::path& workingFolder = {}) {
  return RunProgram(QStringLiteral(NORUMI_WBK), args, input, workingFolder);
}

inline QString Arg(const std::filesystem::path& path) {
  return FromPath(path);
}

// CP932 bytes of UTF-8 test text.
inline std::string Sj(const char* utf8) {
  return ToCp932(QString::fromUtf8(utf8)).value();
}

inline QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error;
  const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  return document.object();
}

inline std::vector<std::string> FolderContents(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(FromPath(entry.path().filename()).toStdString());
  std::sort(names.begin(), names.end());
  return names;
}

inline size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace norumi::test
