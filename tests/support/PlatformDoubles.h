// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/Speech.h"

namespace norumi::test {

// Answers the windows' questions from a script. Each message box, input box and modal window
// must be the next expected one, with the exact text, caption and icon; a mismatch or anything
// left unanswered fails the test.
class ScriptedDialogs : public IDialogs {
 public:
  ~ScriptedDialogs() override;

  void ExpectMessage(const QString& text, const QString& caption, MsgIcon icon,
                     MsgButtons buttons = MsgButtons::Ok, MsgAnswer answer = MsgAnswer::Ok);
  // A message with its list in a scrolled area of its own (DetailedMessage).
  void ExpectDetailedMessage(const QString& text, const QString& details, const QString& caption,
                             MsgIcon icon);
  // No answer: the box is cancelled.
  void ExpectInput(const QString& caption, const QString& prompt, const QString& defaultText,
                   std::optional<QString> answer);
  // The window is shown; `drive` works its controls and must close it (done(), a button).
  void ExpectModal(const QString& objectName, std::function<void(QDialog&)> drive);
  // No answer: the folder dialog is cancelled.
  void ExpectFolder(const QString& caption, std::optional<QString> answer);

  // True when every expected step has happened.
  bool Finished() const { return steps_.empty(); }
  // Fails the test for each step still waiting, and forgets them.
  void VerifyFinished();

  MsgAnswer MessageBox(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void DetailedMessage(QWidget* parent, const QString& text, const QString& details,
                       const QString& caption, MsgIcon icon) override;
  QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                   const QString& defaultText) override;
  int ShowModal(QDialog& window) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption,
                                      const QString& start) override;

 private:
  enum class Kind { Message, Input, Modal, Folder };
  struct Step {
    Kind kind;
    QString text, caption, prompt;  // message text or modal object name; caption; prompt
    MsgIcon icon = MsgIcon::Stop;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer answer = MsgAnswer::Ok;
    std::optional<QString> input;
    std::function<void(QDialog&)> drive;
    QString details;  // of a message: its scrolled list, empty for a plain message box
  };
  std::optional<Step> Next(Kind kind, const QString& what);

  std::deque<Step> steps_;
};

// Remembers what it was asked to open and opens nothing.
class RecordingShell : public IShell {
 public:
  void Open(const QString& target) override { opened.push_back(target); }
  std::vector<QString> opened;
};

// Remembers the words it was asked to speak and speaks none; `canSpeak` says whether the machine
// it stands for has a voice and a sound output.
class RecordingSpeech : public ISpeech {
 public:
  bool CanSpeak() override { return canSpeak; }
  void Say(const HangulCodes& word) override { said.push_back(word); }
  bool canSpeak = true;
  std::vector<HangulCodes> said;
};

}  // namespace norumi::test
