// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace norumi {

enum class MsgIcon { Stop, Information };
// RetryCancel reads 再試行 / キャンセル; RetryDiscardCancel adds 破棄 (go on without it).
enum class MsgButtons { Ok, YesNo, RetryCancel, RetryDiscardCancel };
enum class MsgAnswer { Ok, Yes, No, Retry, Discard, Cancel };

// Modal results of the program's windows.
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// Everything that waits for the user. The windows never block on their own, so a test can
// answer every question from a script.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual MsgAnswer MessageBox(QWidget* parent, const QString& text, const QString& caption,
                               MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) = 0;
  // A message with a list that may run long (`details`, one item a line): the list scrolls in
  // an area of its own under `text`, so that the box and its OK button stay on the screen.
  virtual void DetailedMessage(QWidget* parent, const QString& text, const QString& details,
                               const QString& caption, MsgIcon icon) = 0;
  // Cancelling gives `defaultText` back.
  virtual QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                           const QString& defaultText) = 0;
  // Shows `window` modally and returns its modal result; closing it from its title bar gives
  // kModalCancel.
  virtual int ShowModal(QDialog& window) = 0;
  // An existing folder the user picks, starting at `start`; none when cancelled.
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption,
                                              const QString& start) = 0;
};

class QtDialogs : public IDialogs {
 public:
  MsgAnswer MessageBox(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void DetailedMessage(QWidget* parent, const QString& text, const QString& details,
                       const QString& caption, MsgIcon icon) override;
  QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                   const QString& defaultText) override;
  int ShowModal(QDialog& window) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption,
                                      const QString& start) override;
};

// The modal result a finished dialog reports: a window closed from its title bar is cancelled.
int ModalResultOf(const QDialog& window);

}  // namespace norumi
