// velmor-run --run-script FILE.vbs: runs a standalone script. A global `showmessage`
// (and MsgBox) print their text on standard output; a failing script exits with status 1
// and the error, its line and the line's text on standard error.
#include "cli/command.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/engine.h"

#include <QFile>

namespace {

// The global object of a standalone run: its one member prints a message.
class ConsoleGlobal : public vbs::Dispatch {
public:
    vbs::HResult getIdOfName(const QString& name, int& memberId) override
    {
        if (name.compare(QLatin1String("showmessage"), Qt::CaseInsensitive) != 0)
            return vbs::HResult::UnknownName;
        memberId = showMessageId;
        return vbs::HResult::Ok;
    }

    vbs::HResult invoke(int memberId, int flags, const vbs::Arguments& args, vbs::Variant& result,
                        vbs::ExceptionInfo& exception) override
    {
        if (memberId != showMessageId)
            return vbs::HResult::MemberNotFound;
        if (flags & (vbs::InvokePropertyPut | vbs::InvokePropertyPutRef))
            return vbs::HResult::NotImplemented;
        if (args.size() != 1)
            return vbs::HResult::BadParamCount;
        try {
            cli::printOut(vbs::toConcatString(args.front()));
        } catch (const vbs::ScriptError& error) {
            exception.description = error.description;
            return vbs::HResult::Exception;
        }
        result = vbs::Variant();
        return vbs::HResult::Ok;
    }

private:
    static constexpr int showMessageId = 1;
};

QString errorText(const vbs::ScriptError& error)
{
    return QStringLiteral("Script Error\n%1\nAt line %2\n%3").arg(error.description).arg(error.line).arg(error.lineText);
}

} // namespace

int cli::runScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cli::printError(QStringLiteral("velmor-run: cannot read %1: %2").arg(path, file.errorString()));
        return cli::Failure;
    }
    const QString text = QString::fromUtf8(file.readAll());

    vbs::Engine engine;
    engine.addNamedObject(QStringLiteral("RPGLOBAL"), std::make_shared<ConsoleGlobal>(), true);
    engine.setMessageBoxHook([](const QString& prompt, int, const QString&) {
        cli::printOut(prompt);
        return 1;
    });
    engine.setErrorHandler([](const vbs::ScriptError& error) { cli::printError(errorText(error)); });
    return engine.parse(text) ? cli::Success : cli::Failure;
}
