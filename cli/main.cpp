// velmor-run: loads, runs and converts reports without a display.
#include "cli/command.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace cli {

namespace {
std::vector<Command>& table()
{
    static std::vector<Command> commands;
    return commands;
}
} // namespace

void registerCommand(Command command) { table().push_back(std::move(command)); }
const std::vector<Command>& commands() { return table(); }

void printError(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
}

void printOut(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
}

static void printHelp()
{
    printOut(QStringLiteral("Usage: velmor-run [options] FILE"));
    for (const Command& command : commands())
        printOut(QStringLiteral("  %1").arg(command.synopsis));
    printOut(QStringLiteral("  --help             this text"));
    printOut(QStringLiteral("  --version          the program's version"));
}

} // namespace cli

int main(int argc, char** argv)
{
    // Reports are drawn with fonts and pictures but never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Run from a plain shell or a service there may be no runtime directory; a private one
    // for this run keeps Qt from warning about it on standard error.
    QTemporaryDir runtimeDirectory;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDirectory.isValid())
        qputenv("XDG_RUNTIME_DIR", runtimeDirectory.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Velmor"));
    QGuiApplication::setApplicationVersion(QStringLiteral("0.1.0"));

    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        cli::printHelp();
        return cli::Usage;
    }
    if (args.first() == QLatin1String("--help")) {
        cli::printHelp();
        return cli::Success;
    }
    if (args.first() == QLatin1String("--version")) {
        cli::printOut(QStringLiteral("velmor-run %1").arg(QGuiApplication::applicationVersion()));
        return cli::Success;
    }
    for (const cli::Command& command : cli::commands()) {
        if (args.contains(command.option))
            return command.run(args);
    }
    cli::printError(QStringLiteral("velmor-run: nothing to do; see --help"));
    return cli::Usage;
}
