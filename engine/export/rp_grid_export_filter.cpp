#include "engine/export/rp_grid_export_filter.h"

#include <cmath>
#include <map>

namespace {

// Numbers the distinct positive rounded positions 1, 2, ... in ascending order; answers
// the number of distinct positions.
template <typename Position, typename Number>
int numberPositions(std::vector<TRpAbstractExportFilter::Entry>& entries, Position position, Number number)
{
    std::map<long long, int> numbers;
    for (const auto& entry : entries) {
        const long long rounded = std::llround(position(entry));
        if (rounded > 0)
            numbers.emplace(rounded, 0);
    }
    int next = 0;
    for (auto& [rounded, assigned] : numbers)
        assigned = ++next;
    for (auto& entry : entries) {
        const long long rounded = std::llround(position(entry));
        number(entry) = rounded > 0 ? numbers[rounded] : 0;
    }
    return next;
}

} // namespace

void TRpAbstractExportFilter::start(int pageWidth, int pageLength, const TRpExportFont& reportFont)
{
    m_output.open(fileName(), writesToMemoryWhenUnnamed());
    m_reportFont = reportFont;
    m_fontSize = rpFontSizeInNativeUnits(reportFont.font);
    m_pageWidth = pageWidth;
    m_pageLength = pageLength;
    m_columnCount = 0;
    m_lineCount = static_cast<int>(pageLength / m_fontSize);
    m_entries.clear();
    TRpExportFilter::start(pageWidth, pageLength, reportFont);
}

void TRpAbstractExportFilter::textOut(const TRpExportFont& font, const QColor& background, const QString& text,
                                      Qt::Alignment alignment, double y, double x)
{
    Entry entry;
    entry.x = x;
    entry.y = y;
    entry.text = text;
    entry.alignment = alignment;
    entry.font = font;
    entry.background = background;
    m_entries.push_back(std::move(entry));
}

void TRpAbstractExportFilter::numberCells()
{
    m_columnCount = numberPositions(m_entries, [](const Entry& e) { return e.x; }, [](Entry& e) -> int& { return e.column; });
    m_lineCount = numberPositions(m_entries, [](const Entry& e) { return e.y; }, [](Entry& e) -> int& { return e.line; });
    m_cells.clear();
    for (size_t index = 0; index < m_entries.size(); ++index)
        m_cells.emplace(std::make_pair(m_entries[index].line, m_entries[index].column), index); // first entry wins
}

const TRpAbstractExportFilter::Entry* TRpAbstractExportFilter::cell(int line, int column) const
{
    const auto found = m_cells.find(std::make_pair(line, column));
    return found == m_cells.end() ? nullptr : &m_entries[found->second];
}

void TRpAbstractExportFilter::endPage()
{
    numberCells();
    writePage();
    m_entries.clear();
    m_cells.clear();
}

void TRpAbstractExportFilter::newPage()
{
    m_entries.clear();
    m_cells.clear();
}

void TRpAbstractExportFilter::finish()
{
    TRpExportFilter::finish();
    m_output.commit();
}
