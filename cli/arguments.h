// The runner's command line, read once: the command it asks for and that command's
// options, or the reason it cannot be run.
#pragma once

#include "cli/render_options.h"

#include <QString>
#include <QStringList>

namespace cli {

enum class CommandKind { Help, Version, Render, Save, RunScript };

struct Arguments {
    CommandKind command = CommandKind::Help;
    RenderOptions render;   // Render
    QString saveOutput;     // Save
    QString saveInput;      // Save
    QString script;         // RunScript
    bool quiet = false;
};

// Reads the arguments (without the program name). False with `error` on wrong usage:
// unknown options, missing or empty values, an option given twice, options that do not
// go together, extra arguments, or an output that would overwrite the input.
bool parseArguments(const QStringList& args, Arguments& arguments, QString& error);

// The text of --help, and the short usage shown after a usage error.
QString helpText();
QString usageText();

} // namespace cli
