// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <filesystem>
#include <functional>

#include <QString>

class QWidget;

namespace norumi {

class IDialogs;
struct LockHolder;

// The message the exception display shows, naming what failed and why.
QString ExceptionMessage(const std::exception& error);

// Who holds a word file, as a message names it: "norumi（プロセス 1234）の「単語登録」".
QString LockHolderText(const LockHolder& holder);

// Runs an event handler; an exception escaping it is shown in a message box (stop icon, the
// application's title as caption) and the program goes on.
void RunHandler(IDialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

// Runs `attempt`, which takes word-file locks without waiting long (kWindowLockWait); when
// another program holds one, says at once who it is and offers 再試行 / キャンセル. True once
// `attempt` has run to its end, false when the user cancelled; any other error passes on.
bool RetryWhileLocked(IDialogs& dialogs, QWidget* parent, const std::function<void()>& attempt);

// What a window says when it found its lock of `wordFile` gone at a save, read the file anew
// and kept the `added` words another writer had saved meanwhile.
QString RelockedMessage(const std::filesystem::path& wordFile, int added);

}  // namespace norumi
