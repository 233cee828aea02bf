#pragma once

#include <exception>
#include <functional>

#include <QString>

class QWidget;

namespace norumi {

class IDialogs;

// The message the exception display shows, naming what failed.
QString ExceptionMessage(const std::exception& error);

// Runs an event handler; an exception escaping it is shown in a message box (stop icon, the
// application's title as caption) and the program goes on.
void RunHandler(IDialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

}  // namespace norumi
