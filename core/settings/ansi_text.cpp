#include "core/settings/ansi_text.h"

#include <QStringList>
#include <QTextCodec>

namespace {

QTextCodec* windows1252()
{
    static QTextCodec* const codec = QTextCodec::codecForName("Windows-1252");
    return codec;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    if (QTextCodec* codec = windows1252())
        return codec->toUnicode(bytes.data(), int(bytes.size()));
    return QString::fromLatin1(bytes);
}

QByteArray encodeWindows1252(const QString& text)
{
    if (QTextCodec* codec = windows1252())
        return codec->fromUnicode(text);
    return text.toLatin1();
}

QStringList splitTextLines(const QString& text)
{
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
