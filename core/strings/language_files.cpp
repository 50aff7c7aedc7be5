#include "core/strings/language_files.h"

#include "core/settings/file_locations.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

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

QString decodeWindows1252(QByteArrayView bytes)
{
    static QTextCodec* const codec = QTextCodec::codecForName("Windows-1252");
    if (codec)
        return codec->toUnicode(bytes.data(), int(bytes.size()));
    return QString::fromLatin1(bytes);
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
    const QString text = decodeWindows1252(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
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
