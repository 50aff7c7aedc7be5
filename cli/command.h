// The runner's commands and what they share: exit statuses and the output lines.
#pragma once

#include <QString>

namespace cli {

struct RenderOptions;

// Exit statuses of the runner.
enum ExitStatus { Success = 0, Failure = 1, Usage = 2 };

// Runs a report (or takes a prepared report's pages) onto every output asked for.
int runRender(const RenderOptions& options);
// Writes the report or datamodule `input` as `output`.
int runSave(const QString& output, const QString& input);
// Runs a standalone VBScript file.
int runScript(const QString& scriptFile);

// Writes a line to standard error / standard output.
void printError(const QString& text);
void printOut(const QString& text);

} // namespace cli
