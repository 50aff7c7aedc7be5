#include "core/strings.h"

TStrings::TStrings(QObject* parent) : TPersistent(parent) {}

void TStrings::setLines(const QStringList& lines)
{
    if (lines == m_lines)
        return;
    m_lines = lines;
    changed();
}

void TStrings::append(const QString& line)
{
    m_lines.append(line);
    changed();
}

void TStrings::clear()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    changed();
}

QString TStrings::text() const
{
    QString result;
    for (const QString& line : m_lines) {
        result += line;
        result += QLatin1String("\r\n");
    }
    return result;
}

void TStrings::setText(const QString& text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    setLines(lines);
}

void TStrings::assign(const TPersistent& source)
{
    if (auto* strings = qobject_cast<const TStrings*>(&source))
        setLines(strings->lines());
    else
        TPersistent::assign(source);
}
