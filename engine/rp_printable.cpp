#include "engine/rp_printable.h"

#include "core/property_access.h"
#include "data/data_source.h"
#include "engine/expr/expr_evaluator.h"
#include "engine/rp_bands.h"
#include "engine/rp_print_context.h"
#include "engine/rp_printable_drawing.h"
#include "engine/rp_report.h"
#include "engine/sink/rp_printer.h"

#include <QPainter>

TRpPrintable::TRpPrintable(TComponent* owner)
    : TControl(owner), m_frame(new TRpFrame(this)), m_size(new TRpPrintableSize(this))
{
    setColor(clWhite);
    setInitialPixelSize(kNewSizePixels, kNewSizePixels);
    m_size->setOnChange([this] { updateBounds(); });
}

TRpPrintable::~TRpPrintable()
{
    beginDestroy();
    m_size->setOnChange({});
}

void TRpPrintable::setInitialPixelSize(int width, int height)
{
    m_size->setNativeValue(TRpPrintableSize::WidthValue, m_size->fromPixels(width));
    m_size->setNativeValue(TRpPrintableSize::HeightValue, m_size->fromPixels(height));
    updateBounds();
}

void TRpPrintable::setFrame(TRpFrame* frame)
{
    if (frame && frame != m_frame)
        m_frame->assign(*frame);
}

void TRpPrintable::setSize(TRpPrintableSize* size)
{
    if (size && size != m_size)
        m_size->assign(*size);
}

TReport* TRpPrintable::report() const
{
    TControl* parent = parentControl();
    if (auto* band = qobject_cast<TRpCustomBand*>(parent))
        return band->report();
    return qobject_cast<TReport*>(parent);
}

void TRpPrintable::updateBounds()
{
    m_updatingBounds = true;
    TControl::setBounds(m_size->toPixels(m_size->nativeValue(TRpPrintableSize::LeftValue)),
                        m_size->toPixels(m_size->nativeValue(TRpPrintableSize::TopValue)),
                        m_size->toPixels(m_size->nativeValue(TRpPrintableSize::WidthValue)),
                        m_size->toPixels(m_size->nativeValue(TRpPrintableSize::HeightValue)));
    m_updatingBounds = false;
}

void TRpPrintable::setBounds(int left, int top, int width, int height)
{
    if (isLoading()) {
        m_loadedBounds = QRect(left, top, width, height);
        m_hasLoadedBounds = true;
        return;
    }
    if (!m_updatingBounds) {
        const QRect old = bounds();
        auto update = [this](int value, int previous, int index) {
            if (value != previous)
                m_size->setNativeValue(index, m_size->fromPixels(value));
        };
        m_updatingBounds = true;
        update(left, old.x(), TRpPrintableSize::LeftValue);
        update(top, old.y(), TRpPrintableSize::TopValue);
        update(width, old.width(), TRpPrintableSize::WidthValue);
        update(height, old.height(), TRpPrintableSize::HeightValue);
        m_updatingBounds = false;
    }
    TControl::setBounds(left, top, width, height);
}

void TRpPrintable::loaded()
{
    TControl::loaded();
    if (TReport* owningReport = report())
        owningReport->adoptUnits(m_size);
    updateBounds();
    if (m_hasLoadedBounds) {
        // Bounds given in the file fill the ones the stored size left at zero.
        const QRect current = bounds();
        const int values[] = {m_loadedBounds.x(), m_loadedBounds.y(), m_loadedBounds.width(), m_loadedBounds.height()};
        const int now[] = {current.x(), current.y(), current.width(), current.height()};
        const int indices[] = {TRpPrintableSize::LeftValue, TRpPrintableSize::TopValue, TRpPrintableSize::WidthValue,
                               TRpPrintableSize::HeightValue};
        for (int i = 0; i < 4; ++i) {
            if (values[i] != 0 && now[i] == 0)
                m_size->setNativeValue(indices[i], m_size->fromPixels(values[i]));
        }
        m_hasLoadedBounds = false;
        updateBounds();
    }
}

void TRpPrintable::parentChanged()
{
    if (TReport* owningReport = report())
        owningReport->adoptUnits(m_size);
    updateBounds();
}

void TRpPrintable::prepare(TRpPrintContext&)
{
    m_finished = true;
}

void TRpPrintable::print(TRpPrintContext& context, double x, double y)
{
    if (!enabled())
        return;
    const QRectF area = nativeRect(x, y);
    printContents(context, area);
    drawFrame(context, area);
}

void TRpPrintable::printContents(TRpPrintContext&, const QRectF&) {}

TRpCustomBand* TRpPrintable::band() const
{
    return qobject_cast<TRpCustomBand*>(parentControl());
}

QRectF TRpPrintable::nativeRect(double x, double y) const
{
    return {x + m_size->nativeValue(TRpPrintableSize::LeftValue), y + m_size->nativeValue(TRpPrintableSize::TopValue),
            m_size->nativeValue(TRpPrintableSize::WidthValue), m_size->nativeValue(TRpPrintableSize::HeightValue)};
}

double TRpPrintable::frameLineWidth() const
{
    return m_frame->width() * rpdraw::kNativePerPoint;
}

// Frame lines lie inside the rectangle, so that their width never reaches neighbours.
void TRpPrintable::drawFrame(TRpPrintContext& context, const QRectF& area) const
{
    QPainter* painter = rpdraw::painter(context);
    if (!painter || !m_frame->drawsAnything() || m_frame->style() == TPenStyle::psClear)
        return;
    const TRpPrinter& sink = *context.sink();
    const QRectF device = sink.toDevice(area);
    const double width = std::max(frameLineWidth() * sink.factorX(), 1.0);
    const double half = width / 2;
    QPen pen(m_frame->color().toQColor(), width, toQtPenStyle(m_frame->style()), Qt::FlatCap);
    painter->save();
    painter->setPen(pen);
    if (m_frame->drawTop())
        painter->drawLine(QPointF(device.left(), device.top() + half), QPointF(device.right(), device.top() + half));
    if (m_frame->drawBottom())
        painter->drawLine(QPointF(device.left(), device.bottom() - half), QPointF(device.right(), device.bottom() - half));
    if (m_frame->drawLeft())
        painter->drawLine(QPointF(device.left() + half, device.top()), QPointF(device.left() + half, device.bottom()));
    if (m_frame->drawRight())
        painter->drawLine(QPointF(device.right() - half, device.top()), QPointF(device.right() - half, device.bottom()));
    painter->restore();
}

void TRpPrintable::unprepare()
{
    m_finished = true;
}

TRpCustomLabel::TRpCustomLabel(TComponent* owner) : TRpPrintable(owner) {}

void TRpCustomLabel::setBiDiMode(TBiDiMode mode)
{
    m_biDiMode = mode;
    // A stored BiDiMode is read before ParentBiDiMode; reading it must not undo the default.
    if (!isLoading())
        m_parentBiDiMode = false;
}

void TRpCustomLabel::defineProperties(TPropertyDefiner& definer)
{
    definer.defineProperty(
        QStringLiteral("FontSize"), [this](const TStreamValue& value) { m_loadedFontSize = int(value.toInteger()); },
        [this]() { return TStreamValue::integer(font()->size()); }, true);
}

void TRpCustomLabel::loaded()
{
    TRpPrintable::loaded();
    if (m_loadedFontSize > 0) {
        const bool inherited = parentFont();
        font()->setSize(m_loadedFontSize);
        if (inherited)
            setParentFont(true);
    }
    m_loadedFontSize = 0;
}

TRpLabel::TRpLabel(TComponent* owner) : TRpCustomLabel(owner) {}

TRpMemo::TRpMemo(TComponent* owner) : TRpCustomLabel(owner), m_lines(new TStrings(this)) {}

void TRpMemo::setLines(TStrings* lines)
{
    if (lines && lines != m_lines)
        m_lines->setLines(lines->lines());
}

TRpDBText::TRpDBText(TComponent* owner) : TRpCustomLabel(owner) {}

void TRpDBText::defineProperties(TPropertyDefiner& definer)
{
    TRpCustomLabel::defineProperties(definer);
    definer.defineProperty(
        QStringLiteral("DataSource"), [this](const TStreamValue& value) { m_legacyDataSource = value.text(); },
        [] { return TStreamValue(); }, false);
}

void TRpDBText::loaded()
{
    TRpCustomLabel::loaded();
    if (m_legacyDataSource.isEmpty())
        return;
    if (auto* source = qobject_cast<TDataSource*>(props::findReference(m_legacyDataSource, this)))
        m_dataSet = source->dataSet();
    m_legacyDataSource.clear();
}

TRpExpr::TRpExpr(TComponent* owner) : TRpCustomLabel(owner) {}

TRpSysData::TRpSysData(TComponent* owner) : TRpCustomLabel(owner) {}

TRpExprMemo::TRpExprMemo(TComponent* owner) : TRpCustomLabel(owner), m_lines(new TStrings(this)) {}

void TRpExprMemo::setLines(TStrings* lines)
{
    if (lines && lines != m_lines)
        m_lines->setLines(lines->lines());
}

TRpShape::TRpShape(TComponent* owner) : TRpPrintable(owner), m_pen(new TPen(this)), m_brush(new TBrush(this))
{
    setInitialPixelSize(kNewSizePixels, kNewSizePixels);
}

void TRpShape::setPen(TPen* pen)
{
    if (pen && pen != m_pen)
        m_pen->assign(*pen);
}

void TRpShape::setBrush(TBrush* brush)
{
    if (brush && brush != m_brush)
        m_brush->assign(*brush);
}

TRpImage::TRpImage(TComponent* owner) : TRpPrintable(owner), m_picture(new TPicture(this))
{
    setInitialPixelSize(kNewSizePixels, kNewSizePixels);
}

void TRpImage::setPicture(TPicture* picture)
{
    if (picture && picture != m_picture)
        m_picture->assign(*picture);
}

TRpDBImage::TRpDBImage(TComponent* owner) : TRpPrintable(owner)
{
    setInitialPixelSize(TRpImage::kNewSizePixels, TRpImage::kNewSizePixels);
}

TRpCustomRichText::TRpCustomRichText(TComponent* owner) : TRpPrintable(owner)
{
    setInitialPixelSize(kNewSizePixels, kNewSizePixels);
}

TRpRichText::TRpRichText(TComponent* owner) : TRpCustomRichText(owner), m_lines(new TStrings(this)) {}

void TRpRichText::setLines(TStrings* lines)
{
    if (lines && lines != m_lines)
        m_lines->setLines(lines->lines());
}

TRpDBRichText::TRpDBRichText(TComponent* owner) : TRpCustomRichText(owner) {}

TRpName::TRpName(TComponent* owner) : TControl(owner) {}
