#include "data/data_notices.h"

#include <QDebug>

namespace datanotices {

namespace {

std::function<void(const QString&)>& exceptionDisplay()
{
    static std::function<void(const QString&)> display;
    return display;
}

std::function<void(const QString&)>& messageDisplay()
{
    static std::function<void(const QString&)> display;
    return display;
}

std::function<void()>& beeper()
{
    static std::function<void()> beep;
    return beep;
}

} // namespace

void setExceptionDisplay(std::function<void(const QString&)> display)
{
    exceptionDisplay() = std::move(display);
}

void setMessageDisplay(std::function<void(const QString&)> display)
{
    messageDisplay() = std::move(display);
}

void setBeep(std::function<void()> beep)
{
    beeper() = std::move(beep);
}

void showException(const QString& message)
{
    if (exceptionDisplay())
        exceptionDisplay()(message);
    else
        qWarning().noquote() << message;
}

void showMessage(const QString& message)
{
    if (messageDisplay())
        messageDisplay()(message);
    else
        qWarning().noquote() << message;
}

void beep()
{
    if (beeper())
        beeper()();
}

} // namespace datanotices
