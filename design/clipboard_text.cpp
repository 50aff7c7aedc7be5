#include "design/clipboard_text.h"

#include "core/control.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/text_stream.h"

#include <QRegularExpression>

namespace clipboardtext {

QByteArray write(const QList<TControl*>& controls)
{
    QByteArray text;
    if (controls.isEmpty())
        return text;
    const TControl* parent = controls.first()->parentControl();
    for (TControl* control : controls) {
        if (control->parentControl() == parent)
            text += textstream::write(componentstream::componentRecord(control));
    }
    return text;
}

QString firstClassName(const QString& text)
{
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char('\r'), 0, 0);
    static const QRegularExpression header(QStringLiteral("^object( [^ ]+)( [^ ]+)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = header.match(firstLine);
    if (!match.hasMatch())
        return {};
    const QString word = match.captured(2).isEmpty() ? match.captured(1) : match.captured(2);
    return word.trimmed();
}

QList<QByteArray> objectStreams(const QByteArray& text)
{
    QList<qsizetype> starts;
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        if (text.mid(lineStart, 6).compare("object", Qt::CaseInsensitive) == 0)
            starts.append(lineStart);
        const qsizetype end = text.indexOf('\n', lineStart);
        if (end < 0)
            break;
        lineStart = end + 1;
    }
    QList<QByteArray> streams;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        streams.append(formconversion::textToBinary(text.mid(starts[i], end - starts[i])));
    }
    return streams;
}

} // namespace clipboardtext
