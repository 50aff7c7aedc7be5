// velmor-run: loads, runs and converts reports without a display.
#include "cli/arguments.h"
#include "cli/command.h"
#include "core/exit_cleanup.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace cli {

void printError(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
}

void printOut(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
}

} // namespace cli

namespace {

int runCommand(const cli::Arguments& arguments)
{
    switch (arguments.command) {
    case cli::CommandKind::Help:
        QTextStream(stdout) << cli::helpText();
        return cli::Success;
    case cli::CommandKind::Version:
        cli::printOut(QStringLiteral("velmor-run %1").arg(QGuiApplication::applicationVersion()));
        return cli::Success;
    case cli::CommandKind::Render:
        return cli::runRender(arguments.render);
    case cli::CommandKind::Save:
        return cli::runSave(arguments.saveOutput, arguments.saveInput);
    case cli::CommandKind::RunScript:
        return cli::runScript(arguments.script);
    }
    return cli::Usage;
}

} // namespace

int main(int argc, char** argv)
{
    // Temporary files and folders of this run go with it, however the run ends.
    exitcleanup::installSignalHandlers();
    // Reports are drawn with fonts and pictures but never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Run from a plain shell or a service there may be no runtime directory; a private one
    // for this run keeps Qt from warning about it on standard error.
    QTemporaryDir runtimeDirectory;
    int runtimeCleanup = -1;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDirectory.isValid()) {
        qputenv("XDG_RUNTIME_DIR", runtimeDirectory.path().toLocal8Bit());
        runtimeCleanup = exitcleanup::remember(runtimeDirectory.path(), true);
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Velmor"));
    QGuiApplication::setApplicationVersion(QStringLiteral("0.1.0"));

    const QStringList args = app.arguments().mid(1);
    int status = cli::Usage;
    cli::Arguments arguments;
    QString error;
    if (args.isEmpty()) {
        QTextStream(stderr) << cli::helpText();
    } else if (!cli::parseArguments(args, arguments, error)) {
        cli::printError(QStringLiteral("velmor-run: %1").arg(error));
        cli::printError(cli::usageText());
    } else {
        status = runCommand(arguments);
    }
    exitcleanup::forget(runtimeCleanup);
    return status;
}
