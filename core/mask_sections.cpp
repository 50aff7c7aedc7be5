#include "core/mask_sections.h"

namespace rpmask {

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

QStringList splitSections(const QString& mask)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current.append(c);
    }
    sections.append(current);
    return sections;
}

QString readQuoted(const QString& mask, qsizetype& pos)
{
    const QChar quote = mask.at(pos);
    const qsizetype end = mask.indexOf(quote, pos + 1);
    const qsizetype stop = end < 0 ? mask.size() : end;
    const QString text = mask.mid(pos + 1, stop - pos - 1);
    pos = end < 0 ? mask.size() : end + 1;
    return text;
}

} // namespace rpmask
