// The runner's command table: each command file registers the option that selects it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace cli {

// Exit statuses of the runner.
enum ExitStatus { Success = 0, Failure = 1, Usage = 2 };

struct Command {
    QString option;   // the option that selects it, e.g. "--run-script"
    QString synopsis; // one line for --help
    // Runs with the arguments that follow the option; returns an ExitStatus.
    std::function<int(const QStringList& args)> run;
};

// Registers a command; used through a static CommandRegistration in the command's file.
void registerCommand(Command command);
const std::vector<Command>& commands();

struct CommandRegistration {
    explicit CommandRegistration(Command command) { registerCommand(std::move(command)); }
};

// Writes a line to standard error / standard output.
void printError(const QString& text);
void printOut(const QString& text);

} // namespace cli
