#include "print_fixture.h"

#include "engine/text/text_measure.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <stdexcept>

namespace printtest {

QVariant MemoryField::value() const
{
    if (failing)
        throw std::runtime_error("connection lost");
    return m_value;
}

QString MemoryField::displayText() const
{
    if (failing)
        throw std::runtime_error("connection lost");
    return m_display.isNull() ? m_value.toString() : m_display;
}

MemoryField& MemoryDataSet::add(const QString& name, TRpEvFieldType type, const QVariant& value, const QString& display)
{
    m_fields.push_back(std::make_unique<MemoryField>(name, type, value, display));
    return *m_fields.back();
}

int MemoryDataSet::fieldIndex(const QString& fieldName) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i]->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

IRpEvField* MemoryDataSet::field(int index) const
{
    return index >= 0 && std::size_t(index) < m_fields.size() ? m_fields[std::size_t(index)].get() : nullptr;
}

std::optional<double> FakePrintContext::requestExpansion(TRpCustomBand* band, double extra)
{
    const double total = expansions.value(band) + extra;
    if (total > expansionRoom + 1e-9)
        return std::nullopt;
    expansions[band] = total;
    return total;
}

namespace {

// A paint engine that keeps the text items it is asked to draw.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts.push_back({item.text(), m_transform.map(p), item.width()});
    }
    Type type() const override { return QPaintEngine::User; }

    std::vector<DrawnText> texts;

private:
    QTransform m_transform;
};

class RecordingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &recorder; }
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 4000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 1058;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
    mutable TextRecorder recorder;
};

} // namespace

std::vector<DrawnText> drawnTexts(const QPicture& page)
{
    RecordingDevice device;
    QPainter painter(&device);
    painter.drawPicture(0, 0, page);
    painter.end();
    return device.recorder.texts;
}

QStringList textsOf(const std::vector<DrawnText>& texts)
{
    QStringList result;
    for (const DrawnText& text : texts)
        result.append(text.text);
    return result;
}

QImage renderPage(const QPicture& page, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, page);
    painter.end();
    return image;
}

PrintTest::PrintTest()
{
    document.setName(QStringLiteral("frmVelDesign1"));
    report = new TReport(&document);
    report->setNameUnchecked(QStringLiteral("Report"));
    band = new TRpBand(&document);
    band->setNameUnchecked(QStringLiteral("DetailBand"));
    band->setBandType(TRpBandType::rbDetail);
    band->setParentControl(report);
    band->size()->setNativeValue(TRpBandSize::HeightValue, 400);
    band->size()->setNativeValue(TRpBandSize::WidthValue, 1900);
    context.reportObject = report;
    context.sinkObject = &sink;
    context.time = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
}

PrintTest::~PrintTest()
{
    if (documentStarted)
        sink.endDocument();
}

void place(TRpPrintable* control, double left, double top, double width, double height)
{
    TRpPrintableSize& size = *control->size();
    size.setNativeValue(TRpPrintableSize::LeftValue, left);
    size.setNativeValue(TRpPrintableSize::TopValue, top);
    size.setNativeValue(TRpPrintableSize::WidthValue, width);
    size.setNativeValue(TRpPrintableSize::HeightValue, height);
}

QPicture PrintTest::printPage(const std::function<void()>& draw)
{
    if (!documentStarted) {
        sink.beginDocument();
        documentStarted = true;
    }
    sink.newPage();
    draw();
    const int number = sink.pagesGenerated();
    sink.newPage(); // closes the page so that it can be read back
    return sink.page(number).value_or(QPicture());
}

QPicture PrintTest::printOnce(TRpPrintable* control, double x, double y)
{
    control->prepare(context);
    QPicture page = printPage([&] { control->print(context, x, y); });
    control->unprepare();
    return page;
}

double PrintTest::lineHeight() const
{
    return TRpTextMeasure(report->font()->toQFont()).lineHeight();
}

double PrintTest::textWidth(const QString& text) const
{
    return TRpTextMeasure(report->font()->toQFont()).width(text);
}

} // namespace printtest
