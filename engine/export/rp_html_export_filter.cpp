#include "engine/export/rp_html_export_filter.h"

namespace {

QString colourAttribute(const QColor& colour)
{
    return QStringLiteral("COLOR=\"#%1%2%3\"")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// Cell text may hold markup characters; they are shown as text.
QString escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar character : text) {
        if (character == u'&')
            result += QStringLiteral("&amp;");
        else if (character == u'<')
            result += QStringLiteral("&lt;");
        else if (character == u'>')
            result += QStringLiteral("&gt;");
        else
            result += character;
    }
    return result;
}

QString sizeAttribute(int difference)
{
    return QStringLiteral(" SIZE=") + (difference >= 0 ? QStringLiteral("+") : QString()) + QString::number(difference);
}

} // namespace

int rpHtmlSizeStep(int pointSize)
{
    if (pointSize <= 8)
        return 0;
    if (pointSize <= 10)
        return 1;
    if (pointSize <= 12)
        return 2;
    if (pointSize <= 14)
        return 3;
    if (pointSize <= 18)
        return 4;
    if (pointSize <= 24)
        return 5;
    return 7;
}

QString TRpHTMLDocumentFilter::cellHtml(const Entry* entry) const
{
    if (!entry || entry->text.isEmpty())
        return {};
    QString attributes;
    if (entry->font.color.rgb() != reportFont().color.rgb())
        attributes += colourAttribute(entry->font.color);
    const int size = entry->font.font.pointSize();
    const int reportSize = reportFont().font.pointSize();
    if (size != reportSize)
        attributes += sizeAttribute(rpHtmlSizeStep(size) - rpHtmlSizeStep(reportSize));
    const QString text = escaped(entry->text);
    if (attributes.isEmpty())
        return text;
    return QStringLiteral("<FONT ") + attributes + u'>' + text + QStringLiteral("</FONT>");
}

void TRpHTMLDocumentFilter::writePage()
{
    QString page = QStringLiteral("<TABLE WIDTH=100% CELLPADDING=2 BORDER=0>");
    for (int line = 1; line <= lineCount(); ++line) {
        page += QStringLiteral("<TR>");
        for (int column = 1; column <= columnCount(); ++column)
            page += QStringLiteral("<TD>") + cellHtml(cell(line, column)) + QStringLiteral("</TD>");
        page += QStringLiteral("</TR>\r\n");
    }
    page += QStringLiteral("</TABLE>");
    write(page);
}
