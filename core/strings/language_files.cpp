#include "core/strings/language_files.h"

#include "core/settings/ansi_text.h"
#include "core/settings/file_locations.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString fileStem(const QString& prefix)
{
    return prefix.isEmpty() ? programfiles::programBaseName() : prefix;
}

bool isSafeFileNamePart(const QString& part)
{
    return !part.contains(QLatin1Char('/')) && !part.contains(QLatin1Char('\\'))
        && !part.contains(QChar(0));
}

} // namespace

QString languageListFileName(const QString& prefix)
{
    return fileStem(prefix) + QStringLiteral(".LNG");
}

QString languageFileName(const QString& prefix, const QString& code)
{
    return fileStem(prefix) + QLatin1Char('.') + code;
}

QString findLanguageListFile(const QString& prefix)
{
    if (!isSafeFileNamePart(prefix))
        return {};
    return programfiles::findProgramFile(languageListFileName(prefix));
}

QString findLanguageFile(const QString& prefix, const QString& code)
{
    if (!isSafeFileNamePart(prefix) || !isSafeFileNamePart(code))
        return {};
    return programfiles::findProgramFile(languageFileName(prefix, code));
}

QStringList splitLanguageText(QByteArrayView bytes)
{
    return splitTextLines(decodeWindows1252(bytes));
}

std::optional<QStringList> readLanguageLines(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLanguageText(bytes);
}

QList<LanguageListEntry> languageListFromLines(const QStringList& lines)
{
    QList<LanguageListEntry> entries;
    for (qsizetype k = 0; 2 * k + 1 < lines.size(); ++k)
        entries.append({lines.at(2 * k), lines.at(2 * k + 1)});
    return entries;
}
