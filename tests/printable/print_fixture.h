// A report with one band printed through a fake print context onto a real screen page
// sink, with ways to read back what the recorded page holds.
#pragma once

#include "support/test_support.h"

#include "data/dataset.h"
#include "engine/expr/expr_dataset.h"
#include "engine/expr/expr_environment.h"
#include "engine/export/rp_export_filter.h"
#include "engine/rp_bands.h"
#include "engine/rp_print_context.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QHash>
#include <QImage>
#include <QPicture>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace printtest {

// One field of a record held in memory.
class MemoryField : public IRpEvField {
public:
    MemoryField(QString name, TRpEvFieldType type, QVariant value, QString display = {})
        : m_name(std::move(name)), m_type(type), m_value(std::move(value)), m_display(std::move(display)) {}
    QString fieldName() const override { return m_name; }
    TRpEvFieldType dataType() const override { return m_type; }
    QVariant value() const override;
    QString displayText() const override;

    bool failing = false; // reading the value raises, as a broken connection would

private:
    QString m_name;
    TRpEvFieldType m_type;
    QVariant m_value;
    QString m_display;
};

class MemoryDataSet : public IRpEvDataSet {
public:
    explicit MemoryDataSet(QString name) : m_name(std::move(name)) {}
    MemoryField& add(const QString& name, TRpEvFieldType type, const QVariant& value, const QString& display = {});
    QString name() const override { return m_name; }
    int fieldIndex(const QString& fieldName) const override;
    IRpEvField* field(int index) const override;
    bool usesDefaultFields() const override { return false; }

private:
    QString m_name;
    std::vector<std::unique_ptr<MemoryField>> m_fields;
};

// Records every line an export filter is handed.
struct ExportedLine {
    QString text;
    Qt::Alignment alignment;
    double x;
    double y;
    QColor color;
    QColor background;
};

class RecordingFilter : public TRpExportFilter {
public:
    void textOut(const TRpExportFont& font, const QColor& background, const QString& text, Qt::Alignment alignment,
                 double y, double x) override
    {
        lines.push_back({text, alignment, x, y, font.color, background});
    }
    std::vector<ExportedLine> lines;
};

class FakePrintContext : public TRpPrintContext {
public:
    TReport* report() const override { return reportObject; }
    TRpPrinter* sink() const override { return sinkObject; }
    bool finalPass() const override { return drawing; }
    TRpExportFilter* exportFilter() const override { return filter; }
    TRpEvEnvironment* environment() const override { return const_cast<TRpEvEnvironment*>(&variables); }
    QList<IRpEvDataSet*> evaluatorDataSets() const override { return dataSets; }
    IRpEvDataSet* evaluatorDataSet(TDataSet* dataSet) const override { return byDataSet.value(dataSet); }
    void registerAggregate(TComponent* master, TRpExpr* expression) override
    {
        aggregates.push_back({master, expression});
    }
    int pageNumber() const override { return page; }
    int detailNumber() const override { return detailNo; }
    int detailCount() const override { return detailTotal; }
    QDateTime printTime() const override { return time; }
    std::optional<double> requestExpansion(TRpCustomBand* band, double extra) override;
    double expansion(const TRpCustomBand* band) const override { return expansions.value(band); }

    TReport* reportObject = nullptr;
    TRpPrinter* sinkObject = nullptr;
    bool drawing = true;
    TRpExportFilter* filter = nullptr;
    TRpEvEnvironment variables;
    QList<IRpEvDataSet*> dataSets;
    QHash<TDataSet*, IRpEvDataSet*> byDataSet;
    std::vector<std::pair<TComponent*, TRpExpr*>> aggregates;
    int page = 1;
    int detailNo = 0;
    int detailTotal = 0;
    QDateTime time;
    // How far each band may grow in total before requests are refused.
    double expansionRoom = 0;
    QHash<const TRpCustomBand*, double> expansions;
};

// A text item as it reached the paint device: where its baseline starts (device pixels).
struct DrawnText {
    QString text;
    QPointF origin;
    double width;
};

// The texts a recorded page draws, in drawing order.
std::vector<DrawnText> drawnTexts(const QPicture& page);
QStringList textsOf(const std::vector<DrawnText>& texts);
// The page played onto a white image of the page's device size.
QImage renderPage(const QPicture& page, const QSize& size);

// Sets a control's native left, top, width and height.
void place(TRpPrintable* control, double left, double top, double width, double height);

class PrintTest : public ::testing::Test {
protected:
    PrintTest();
    ~PrintTest() override;

    // A control on the band at native left, top, width and height.
    template <class Control>
    Control* add(double left, double top, double width, double height)
    {
        auto* control = new Control(&document);
        control->setParentControl(band);
        place(control, left, top, width, height);
        return control;
    }

    // Starts a page on the sink, runs the drawing and gives the recorded page.
    QPicture printPage(const std::function<void()>& draw);
    // Prepares, prints at the band offset on one page and unprepares.
    QPicture printOnce(TRpPrintable* control, double x = 0, double y = 0);

    // Device pixels per native unit, and the line height of the report font in native units.
    double factor() const { return sink.factorX(); }
    double lineHeight() const;
    double textWidth(const QString& text) const;

    TComponent document;
    TReport* report;
    TRpBand* band;
    TRpPrinter sink;
    FakePrintContext context;
    bool documentStarted = false;
};

} // namespace printtest
