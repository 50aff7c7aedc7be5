#include "cli/arguments.h"

#include "core/output_file.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cli {

namespace {

const QStringList kExportFormats{QStringLiteral("csv"), QStringLiteral("html"), QStringLiteral("txt")};

QCommandLineOption valueOption(const char* name, const char* description, const char* valueName)
{
    return {QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(valueName)};
}

QCommandLineOption flagOption(const char* name, const char* description)
{
    return {QString::fromLatin1(name), QString::fromLatin1(description)};
}

// Every option of the runner, in the order --help lists them.
struct Options {
    QCommandLineOption pdf = valueOption("pdf", "Run the report (or take the prepared report's pages) and write a PDF.", "OUT");
    QCommandLineOption png = valueOption("png", "Write the pages as DIR/page-001.png, page-002.png, ...", "DIR");
    QCommandLineOption dpi = valueOption("dpi", "Resolution of the PNG pages, 1 to 2400 (default 96).", "N");
    QCommandLineOption rpp = valueOption("rpp", "Save the prepared report.", "OUT");
    QCommandLineOption compress = flagOption("compress", "Splay-code the pages of the prepared report.");
    QCommandLineOption exportFormat =
        valueOption("export", "Run an export pass with that filter: --export csv|html|txt OUT.", "FORMAT");
    QCommandLineOption exportFile = valueOption("export-file", "The file of --export.", "OUT");
    QCommandLineOption print = flagOption("print", "Print on the default printer, or on PRINTER: --print PRINTER FILE.");
    QCommandLineOption printer = valueOption("printer", "Print on the named printer.", "PRINTER");
    QCommandLineOption param = valueOption("param", "Set a query parameter (repeatable).", "NAME=VALUE");
    QCommandLineOption quiet = flagOption("quiet", "No progress lines on standard error.");
    QCommandLineOption save =
        valueOption("save", "Write the report or datamodule FILE as OUT: VRP, VTX, VDM or DFM by OUT's extension.", "OUT");
    QCommandLineOption runScript =
        valueOption("run-script", "Run a VBScript file; showmessage prints on standard output.", "FILE.vbs");
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption version = flagOption("version", "Show the program's version.");

    Options() { exportFile.setFlags(QCommandLineOption::HiddenFromHelp); }

    QList<QCommandLineOption> all() const
    {
        return {pdf, png, dpi, rpp, compress, exportFormat, exportFile, print, printer,
                param, quiet, save, runScript, help, version};
    }
    // Options that take one value and may be given once.
    QList<const QCommandLineOption*> single() const
    {
        return {&pdf, &png, &dpi, &rpp, &exportFormat, &exportFile, &printer, &save, &runScript};
    }
};

void setUp(QCommandLineParser& parser, const Options& options)
{
    parser.setApplicationDescription(QStringLiteral(
        "Runs a report and writes its pages or an export, or converts a report file.\n"
        "An output named - goes to standard output. Exit status: 0 when every output was\n"
        "written, 1 when the run or a write failed, 2 for wrong usage."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A report (VRP, VTX, RPE, DFM) or a prepared report (RPP)."));
    parser.addOptions(options.all());
}

QString dashed(const QCommandLineOption& option)
{
    return QStringLiteral("--") + option.names().constLast();
}

// --export takes two values, FORMAT and OUT; the second is handed to the parser as the
// value of --export-file.
QStringList withExportFile(const QStringList& args)
{
    QStringList normal;
    for (qsizetype at = 0; at < args.size(); ++at) {
        if (args.at(at) == QLatin1String("--")) {
            normal += args.mid(at);
            break;
        }
        normal.append(args.at(at));
        if (args.at(at) == QLatin1String("--export") && at + 2 < args.size()) {
            normal << args.at(at + 1) << QStringLiteral("--export-file") << args.at(at + 2);
            at += 2;
        }
    }
    return normal;
}

class Reader {
public:
    Reader(const QStringList& args, Arguments& arguments, QString& error)
        : m_args(withExportFile(args)), m_arguments(arguments), m_error(error)
    {
        setUp(m_parser, m_options);
    }

    bool read()
    {
        if (!m_parser.parse(QStringList{QStringLiteral("velmor-run")} + m_args))
            return refuse(m_parser.errorText());
        if (m_parser.isSet(m_options.help)) {
            m_arguments.command = CommandKind::Help;
            return true;
        }
        if (m_parser.isSet(m_options.version)) {
            m_arguments.command = CommandKind::Version;
            return true;
        }
        m_arguments.quiet = m_parser.isSet(m_options.quiet);
        return checkValues() && chooseCommand();
    }

private:
    bool refuse(const QString& text)
    {
        m_error = text;
        return false;
    }

    bool checkValues()
    {
        for (const QCommandLineOption* option : m_options.single()) {
            if (m_parser.values(*option).size() > 1)
                return refuse(QStringLiteral("%1 is given more than once").arg(dashed(*option)));
        }
        const QList<std::pair<const QCommandLineOption*, const QCommandLineOption*>> fileOptions = {
            {&m_options.pdf, &m_options.pdf},       {&m_options.png, &m_options.png},
            {&m_options.rpp, &m_options.rpp},       {&m_options.exportFile, &m_options.exportFormat},
            {&m_options.save, &m_options.save},     {&m_options.runScript, &m_options.runScript},
            {&m_options.printer, &m_options.printer}};
        for (const auto& [option, shownAs] : fileOptions) {
            if (!m_parser.isSet(*option))
                continue;
            const QString value = m_parser.value(*option);
            if (value.isEmpty())
                return refuse(QStringLiteral("the file name after %1 is empty").arg(dashed(*shownAs)));
            if (value.startsWith(QLatin1String("--")))
                return refuse(QStringLiteral("%1 needs a name, not the option %2").arg(dashed(*shownAs), value));
        }
        return true;
    }

    QStringList renderOutputsAsked() const
    {
        QStringList asked;
        for (const QCommandLineOption* option : {&m_options.pdf, &m_options.png, &m_options.rpp,
                                                 &m_options.exportFormat, &m_options.print, &m_options.printer}) {
            if (m_parser.isSet(*option))
                asked.append(dashed(*option));
        }
        return asked;
    }

    bool chooseCommand()
    {
        const QStringList outputs = renderOutputsAsked();
        const bool save = m_parser.isSet(m_options.save);
        const bool script = m_parser.isSet(m_options.runScript);
        if (save && script)
            return refuse(QStringLiteral("--save does not go with --run-script"));
        if ((save || script) && !outputs.isEmpty())
            return refuse(QStringLiteral("%1 does not go with %2").arg(save ? dashed(m_options.save) : dashed(m_options.runScript), outputs.first()));
        if (save || script) {
            for (const QCommandLineOption* option : {&m_options.dpi, &m_options.compress, &m_options.param}) {
                if (m_parser.isSet(*option))
                    return refuse(QStringLiteral("%1 goes with a report run, not with %2")
                                      .arg(dashed(*option), save ? dashed(m_options.save) : dashed(m_options.runScript)));
            }
            return save ? readSave() : readScript();
        }
        return readRender(outputs);
    }

    bool readSave()
    {
        const QStringList files = m_parser.positionalArguments();
        if (files.size() != 1)
            return refuse(files.isEmpty() ? QStringLiteral("--save needs OUT and FILE")
                                          : QStringLiteral("one file at a time, not %1").arg(files.join(QLatin1Char(' '))));
        m_arguments.command = CommandKind::Save;
        m_arguments.saveOutput = m_parser.value(m_options.save);
        m_arguments.saveInput = files.first();
        return true;
    }

    bool readScript()
    {
        const QStringList files = m_parser.positionalArguments();
        if (!files.isEmpty())
            return refuse(QStringLiteral("--run-script takes one script and nothing else, not %1").arg(files.join(QLatin1Char(' '))));
        m_arguments.command = CommandKind::RunScript;
        m_arguments.script = m_parser.value(m_options.runScript);
        return true;
    }

    bool readRender(const QStringList& outputs)
    {
        m_arguments.command = CommandKind::Render;
        RenderOptions& render = m_arguments.render;
        render.quiet = m_arguments.quiet;
        if (!readInput(render))
            return false;
        if (outputs.isEmpty())
            return refuse(QStringLiteral("no output asked for (--pdf, --png, --rpp, --export or --print)"));
        render.pdf = m_parser.value(m_options.pdf);
        render.pngDir = m_parser.value(m_options.png);
        render.rpp = m_parser.value(m_options.rpp);
        render.compress = m_parser.isSet(m_options.compress);
        render.print = render.print || m_parser.isSet(m_options.print) || m_parser.isSet(m_options.printer);
        if (m_parser.isSet(m_options.printer))
            render.printer = m_parser.value(m_options.printer);
        return readPages(render) && readExport(render) && readParams(render) && checkFiles(render);
    }

    // The report file; with --print, a second name right after --print is the printer.
    bool readInput(RenderOptions& render)
    {
        QStringList files = m_parser.positionalArguments();
        if (files.size() == 2 && m_parser.isSet(m_options.print) && !m_parser.isSet(m_options.printer)) {
            const qsizetype at = m_args.indexOf(QStringLiteral("--print"));
            const qsizetype named = at >= 0 && at + 1 < m_args.size() ? files.indexOf(m_args.at(at + 1)) : -1;
            if (named >= 0) {
                render.printer = files.takeAt(named);
                render.print = true;
            }
        }
        if (files.size() != 1)
            return refuse(files.isEmpty() ? QStringLiteral("no report file given")
                                          : QStringLiteral("one report file at a time, not %1").arg(files.join(QLatin1Char(' '))));
        render.input = files.first();
        if (render.input.isEmpty())
            return refuse(QStringLiteral("the report file name is empty"));
        return true;
    }

    bool readPages(RenderOptions& render)
    {
        if (m_parser.isSet(m_options.dpi)) {
            if (render.pngDir.isEmpty())
                return refuse(QStringLiteral("--dpi goes with --png"));
            bool ok = false;
            render.dpi = m_parser.value(m_options.dpi).toInt(&ok);
            if (!ok || render.dpi < 1 || render.dpi > 2400)
                return refuse(QStringLiteral("--dpi needs a resolution from 1 to 2400"));
        }
        if (render.compress && render.rpp.isEmpty())
            return refuse(QStringLiteral("--compress goes with --rpp"));
        if (render.pngDir == QLatin1String("-"))
            return refuse(QStringLiteral("--png writes a folder of pages; it cannot go to standard output"));
        return true;
    }

    bool readExport(RenderOptions& render)
    {
        const bool format = m_parser.isSet(m_options.exportFormat);
        if (format != m_parser.isSet(m_options.exportFile))
            return refuse(QStringLiteral("--export needs a format and a file: --export csv|html|txt OUT"));
        if (!format)
            return true;
        render.exportFormat = m_parser.value(m_options.exportFormat).toLower();
        render.exportFile = m_parser.value(m_options.exportFile);
        if (!kExportFormats.contains(render.exportFormat))
            return refuse(QStringLiteral("--export takes csv, html or txt, not \"%1\"").arg(m_parser.value(m_options.exportFormat)));
        return true;
    }

    bool readParams(RenderOptions& render)
    {
        for (const QString& value : m_parser.values(m_options.param)) {
            const qsizetype equals = value.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return refuse(QStringLiteral("--param needs NAME=VALUE, not \"%1\"").arg(value));
            render.params.insert(value.left(equals), value.mid(equals + 1));
        }
        return true;
    }

    // No output may be the report itself, another output, or a second standard output.
    bool checkFiles(const RenderOptions& render)
    {
        QStringList outputs = render.outputFiles();
        if (!render.pngDir.isEmpty())
            outputs.append(render.pngDir);
        for (qsizetype i = 0; i < outputs.size(); ++i) {
            if (sameName(outputs.at(i), render.input))
                return refuse(QStringLiteral("the output \"%1\" is the report file itself").arg(outputs.at(i)));
            for (qsizetype j = i + 1; j < outputs.size(); ++j) {
                if (outputs.at(i) == QLatin1String("-") && outputs.at(j) == QLatin1String("-"))
                    return refuse(QStringLiteral("only one output can go to standard output"));
                if (outputs.at(i) != QLatin1String("-") && sameName(outputs.at(i), outputs.at(j)))
                    return refuse(QStringLiteral("two outputs are written to \"%1\"").arg(outputs.at(j)));
            }
        }
        return true;
    }

    static bool sameName(const QString& first, const QString& second)
    {
        if (first == QLatin1String("-") || second == QLatin1String("-"))
            return false;
        return QDir::cleanPath(QFileInfo(first).absoluteFilePath()) == QDir::cleanPath(QFileInfo(second).absoluteFilePath())
               || velSameFile(first, second);
    }

    QStringList m_args;
    Arguments& m_arguments;
    QString& m_error;
    Options m_options;
    QCommandLineParser m_parser;
};

} // namespace

QStringList RenderOptions::outputFiles() const
{
    QStringList files;
    for (const QString* file : {&pdf, &rpp, &exportFile}) {
        if (!file->isEmpty())
            files.append(*file);
    }
    return files;
}

bool parseArguments(const QStringList& args, Arguments& arguments, QString& error)
{
    arguments = Arguments();
    return Reader(args, arguments, error).read();
}

QString helpText()
{
    QCommandLineParser parser;
    Options options;
    setUp(parser, options);
    // The parser names the program by the path it was started with.
    QString text = parser.helpText();
    const QString started = QCoreApplication::arguments().value(0);
    if (!started.isEmpty())
        text.replace(QStringLiteral("Usage: ") + started, QStringLiteral("Usage: velmor-run"));
    return text
           + QStringLiteral("\nAlso:\n  velmor-run --save OUT FILE\n  velmor-run --run-script FILE.vbs\n");
}

QString usageText()
{
    return QStringLiteral("Usage: velmor-run [options] FILE\n"
                          "       velmor-run --save OUT FILE\n"
                          "       velmor-run --run-script FILE.vbs\n"
                          "Run velmor-run --help for the options.");
}

} // namespace cli
