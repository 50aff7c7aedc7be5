#include "cli/render_options.h"

namespace cli {

namespace {

const QStringList kExportFormats{QStringLiteral("csv"), QStringLiteral("html"), QStringLiteral("txt")};

bool isOption(const QString& arg)
{
    return arg.startsWith(QLatin1String("--"));
}

// Reads the value after the option at `at`; false when there is none.
bool takeValue(const QStringList& args, qsizetype& at, QString& value)
{
    if (at + 1 >= args.size() || isOption(args.at(at + 1)))
        return false;
    value = args.at(++at);
    return true;
}

} // namespace

std::optional<RenderOptions> parseRenderOptions(const QStringList& args, QString& error)
{
    RenderOptions options;
    QStringList files;
    for (qsizetype at = 0; at < args.size(); ++at) {
        const QString& arg = args.at(at);
        QString value;
        auto need = [&](QString& into) {
            if (takeValue(args, at, into))
                return true;
            error = QStringLiteral("%1 needs a value").arg(arg);
            return false;
        };
        if (arg == QLatin1String("--pdf")) {
            if (!need(options.pdf))
                return std::nullopt;
        } else if (arg == QLatin1String("--png")) {
            if (!need(options.pngDir))
                return std::nullopt;
        } else if (arg == QLatin1String("--dpi")) {
            bool ok = false;
            if (!need(value) || (options.dpi = value.toInt(&ok), !ok) || options.dpi < 1 || options.dpi > 2400) {
                error = QStringLiteral("--dpi needs a resolution from 1 to 2400");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--rpp")) {
            if (!need(options.rpp))
                return std::nullopt;
        } else if (arg == QLatin1String("--compress")) {
            options.compress = true;
        } else if (arg == QLatin1String("--export")) {
            if (!need(options.exportFormat) || !need(options.exportFile))
                return std::nullopt;
            options.exportFormat = options.exportFormat.toLower();
            if (!kExportFormats.contains(options.exportFormat)) {
                error = QStringLiteral("--export takes csv, html or txt, not \"%1\"").arg(options.exportFormat);
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--print")) {
            options.print = true;
            // A printer name only when another argument (the file) still follows.
            if (at + 2 < args.size() && !isOption(args.at(at + 1)))
                options.printer = args.at(++at);
        } else if (arg == QLatin1String("--param")) {
            if (!need(value))
                return std::nullopt;
            const qsizetype equals = value.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                error = QStringLiteral("--param needs NAME=VALUE, not \"%1\"").arg(value);
                return std::nullopt;
            }
            options.params.insert(value.left(equals), value.mid(equals + 1));
        } else if (arg == QLatin1String("--quiet")) {
            options.quiet = true;
        } else if (isOption(arg)) {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        } else {
            files.append(arg);
        }
    }
    if (files.size() != 1) {
        error = files.isEmpty() ? QStringLiteral("no report file given")
                                : QStringLiteral("one report file at a time, not %1").arg(files.join(QLatin1Char(' ')));
        return std::nullopt;
    }
    options.input = files.first();
    if (!options.hasOutput()) {
        error = QStringLiteral("no output asked for (--pdf, --png, --rpp, --export or --print)");
        return std::nullopt;
    }
    return options;
}

} // namespace cli
