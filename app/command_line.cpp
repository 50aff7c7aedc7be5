#include "app/command_line.h"

TVelCommandLine interpretCommandLine(const QStringList& arguments)
{
    TVelCommandLine result;
    bool printSwitch = false;
    for (const QString& argument : arguments) {
        if (argument.compare(QStringLiteral("/PREVIEW"), Qt::CaseInsensitive) == 0)
            result.preview = true;
        else if (argument.compare(QStringLiteral("/PRINT"), Qt::CaseInsensitive) == 0)
            printSwitch = true;
        else if (!argument.isEmpty())
            result.files.append(argument);
    }
    result.print = printSwitch && !result.preview;
    return result;
}
