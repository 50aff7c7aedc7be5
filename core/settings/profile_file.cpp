#include "core/settings/profile_file.h"

#include "core/settings/ansi_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

QString folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

} // namespace

ProfileFile ProfileFile::parse(QByteArrayView bytes)
{
    ProfileFile file;
    QHash<QString, QString>* section = nullptr;
    const QStringList lines = splitTextLines(decodeWindows1252(bytes));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1);
            section = &file.m_sections[folded(name)];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!section || equals < 0)
            continue;
        const QString key = folded(line.left(equals));
        if (!section->contains(key))
            section->insert(key, line.mid(equals + 1).trimmed());
    }
    return file;
}

std::optional<ProfileFile> ProfileFile::load(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return parse(bytes);
}

bool ProfileFile::hasSection(const QString& section) const
{
    return m_sections.contains(folded(section));
}

std::optional<QString> ProfileFile::value(const QString& section, const QString& key) const
{
    const auto found = m_sections.constFind(folded(section));
    if (found == m_sections.constEnd())
        return std::nullopt;
    const auto entry = found->constFind(folded(key));
    if (entry == found->constEnd())
        return std::nullopt;
    return *entry;
}
