#include "engine/export/rp_ascii_export_filter.h"

#include <cmath>

namespace {

constexpr double kColumnStretch = 1.7;

} // namespace

void TRpAsciiExportFilter::start(int pageWidth, int pageLength, const TRpExportFont& reportFont)
{
    m_output.open(fileName(), false);
    m_charHeight = rpFontSizeInNativeUnits(reportFont.font);
    m_charWidth = m_charHeight;
    m_linesPerPage = static_cast<int>(pageLength / m_charHeight);
    m_lines.clear();
    TRpExportFilter::start(pageWidth, pageLength, reportFont);
}

void TRpAsciiExportFilter::textOut(const TRpExportFont&, const QColor&, const QString& text,
                                   Qt::Alignment alignment, double y, double x)
{
    const long long line = std::llround(y / m_charHeight);
    long long column = std::llround(x / m_charWidth * kColumnStretch);
    if (alignment & Qt::AlignRight)
        column -= text.size();
    // Text above the page or below the buffer has no line; text pushed left of the first
    // column starts at the first column.
    if (line < 0 || line >= kMaxLines)
        return;
    column = std::max(0LL, std::min(column, 100000LL));
    while (m_lines.size() <= line)
        m_lines.append(QString());
    QString& row = m_lines[static_cast<qsizetype>(line)];
    if (row.size() < column)
        row += QString(static_cast<qsizetype>(column) - row.size(), u' ');
    row.replace(static_cast<qsizetype>(column), text.size(), text);
}

void TRpAsciiExportFilter::endPage()
{
    QString page;
    for (const QString& line : std::as_const(m_lines))
        if (!line.isEmpty())
            page += line + QStringLiteral("\r\n");
    m_output.write(page);
}

void TRpAsciiExportFilter::newPage()
{
    m_lines.clear();
}

void TRpAsciiExportFilter::finish()
{
    TRpExportFilter::finish();
    m_output.commit();
}
