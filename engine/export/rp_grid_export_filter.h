// TRpAbstractExportFilter: collects the text lines of a page and lays them on a grid of
// lines and columns for the comma-separated and HTML filters.
//
// At the end of a page every distinct positive x (rounded to whole native units) becomes
// a column, numbered from 1 left to right; y gives the lines the same way. Text at x or
// y 0 or less belongs to no cell.
#pragma once

#include "engine/export/rp_export_filter.h"
#include "engine/export/rp_export_output.h"

#include <map>
#include <utility>
#include <vector>

class TRpAbstractExportFilter : public TRpExportFilter {
public:
    struct Entry {
        double x = 0;
        double y = 0;
        int column = 0;
        int line = 0;
        QString text;
        Qt::Alignment alignment;
        TRpExportFont font;
        QColor background;
    };

    using TRpExportFilter::TRpExportFilter;

    QString description() const override { return {}; }
    QString fileExtension() const override { return {}; }
    QString name() const override { return QStringLiteral("RpAbstract"); }

    void start(int pageWidth, int pageLength, const TRpExportFont& reportFont) override;
    void endPage() override;
    void finish() override;
    void newPage() override;
    void textOut(const TRpExportFont& font, const QColor& background, const QString& text,
                 Qt::Alignment alignment, double y, double x) override;

    int columnCount() const { return m_columnCount; }
    int lineCount() const { return m_lineCount; }
    // The text written to memory by a filter that had no file name.
    const QByteArray& memoryOutput() const { return m_output.memory(); }

protected:
    // Whether a filter without a file name writes into memory.
    virtual bool writesToMemoryWhenUnnamed() const { return false; }
    // Writes the numbered page; the grid itself writes nothing.
    virtual void writePage() {}

    // The first entry at line and column (both from 1), or null.
    const Entry* cell(int line, int column) const;
    const TRpExportFont& reportFont() const { return m_reportFont; }
    double fontSizeInNativeUnits() const { return m_fontSize; }
    void write(const QString& text) { m_output.write(text); }

private:
    void numberCells();

    TRpExportOutput m_output;
    TRpExportFont m_reportFont;
    double m_fontSize = 0;
    int m_pageWidth = 0;
    int m_pageLength = 0;
    int m_columnCount = 0;
    int m_lineCount = 0;
    std::vector<Entry> m_entries;
    std::map<std::pair<int, int>, size_t> m_cells; // (line, column) -> entry
};
