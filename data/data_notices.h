// How the dataset helpers tell the user about a failure. The application installs its
// standard exception display and its beep; without them a message goes to the debug
// output and a beep does nothing.
#pragma once

#include <QString>

#include <functional>

namespace datanotices {

void setExceptionDisplay(std::function<void(const QString& message)> display);
void setMessageDisplay(std::function<void(const QString& message)> display);
void setBeep(std::function<void()> beep);

// The application's standard exception display.
void showException(const QString& message);
// A plain message box with the text.
void showMessage(const QString& message);
void beep();

} // namespace datanotices
