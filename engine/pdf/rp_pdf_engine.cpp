#include "engine/pdf/rp_pdf_engine.h"

#include "engine/pdf/rp_pdf_content.h"
#include "engine/pdf/rp_pdf_document.h"
#include "engine/pdf/rp_pdf_hatch.h"
#include "engine/pdf/rp_pdf_resources.h"

#include <QGradient>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Hatch cells are as large as on a 96 dpi screen, whatever the page resolution, so a
// pattern looks on paper as it does in the designer.
constexpr double kHatchResolution = 96.0;
// Control-point distance of a quarter circle drawn as one Bézier curve.
constexpr double kKappa = 0.5522847498307936;
constexpr int kMaxDecimals = 5;

QColor brushColour(const QBrush& brush)
{
    const QGradient* gradient = brush.gradient();
    if (gradient != nullptr && !gradient->stops().isEmpty())
        return gradient->stops().constFirst().second;
    return brush.color();
}

int capOperand(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::SquareCap:
        return 2;
    case Qt::RoundCap:
        return 1;
    default:
        return 0;
    }
}

int joinOperand(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::RoundJoin:
        return 1;
    case Qt::BevelJoin:
        return 2;
    default:
        return 0;
    }
}

const char* paintOperator(bool fill, bool stroke, Qt::FillRule rule)
{
    const bool oddEven = rule == Qt::OddEvenFill;
    if (fill && stroke)
        return oddEven ? "B*" : "B";
    if (fill)
        return oddEven ? "f*" : "f";
    return "S";
}

} // namespace

TRpPdfEngine::TRpPdfEngine(TRpPdfDocument& document)
    : QPaintEngine(QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) & ~QPaintEngine::PerspectiveTransform
                   & ~QPaintEngine::PorterDuff),
      m_document(document)
{
}

bool TRpPdfEngine::begin(QPaintDevice*)
{
    if (!m_document.isOpen())
        return false;
    m_pen = QPen();
    m_brush = QBrush();
    m_world = QTransform();
    m_worldScale = 1;
    m_clips.clear();
    m_clipEnabled = false;
    m_opacity = 1;
    m_backgroundMode = Qt::TransparentMode;
    m_brushOrigin = QPointF();
    ++m_frameVersion;
    return true;
}

bool TRpPdfEngine::end()
{
    return true;
}

bool TRpPdfEngine::ready() const
{
    return isActive() && m_document.isOpen();
}

TRpPdfContent& TRpPdfEngine::content()
{
    return m_document.content();
}

TRpPdfResources& TRpPdfEngine::resources()
{
    return m_document.resources();
}

void TRpPdfEngine::pageStarted()
{
    m_pageFrameVersion = 0;
    m_pageWorld = QTransform();
    m_pageClipped = false;
    m_pageClips.clear();
}

void TRpPdfEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    // The transform first: a clip in the same update is given under the new transform.
    if (flags & DirtyTransform)
        setWorld(state.transform());
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        applyClip(path, state.clipOperation());
    }
    if (flags & DirtyClipPath)
        applyClip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipEnabled) {
        m_clipEnabled = state.isClipEnabled();
        ++m_frameVersion;
    }
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyBrushOrigin)
        m_brushOrigin = state.brushOrigin();
    if (flags & DirtyBackground)
        m_background = state.backgroundBrush();
    if (flags & DirtyBackgroundMode)
        m_backgroundMode = state.backgroundMode();
    if (flags & DirtyOpacity)
        m_opacity = std::clamp(state.opacity(), 0.0, 1.0);
}

void TRpPdfEngine::setWorld(const QTransform& world)
{
    if (world == m_world)
        return;
    m_world = world;
    m_worldScale = std::sqrt(std::fabs(world.determinant()));
    if (!(m_worldScale > 1e-9))
        m_worldScale = 1e-9;
    ++m_frameVersion;
}

void TRpPdfEngine::applyClip(const QPainterPath& path, Qt::ClipOperation operation)
{
    ++m_frameVersion;
    if (operation == Qt::NoClip) {
        m_clips.clear();
        m_clipEnabled = false;
        return;
    }
    if (operation == Qt::ReplaceClip)
        m_clips.clear();
    m_clips.push_back(m_world.map(path));
    m_clipEnabled = true;
}

QTransform TRpPdfEngine::flipped(const QTransform& world) const
{
    const QTransform flip(1, 0, 0, -1, 0, m_document.pageSize().height());
    return flip * world * flip;
}

QTransform TRpPdfEngine::patternToPage(const QTransform& patternToLogical) const
{
    const double pointsPerUnit = 72.0 / m_document.resolution();
    const QTransform flip(1, 0, 0, -1, 0, m_document.pageSize().height());
    return patternToLogical * m_world * flip * QTransform::fromScale(pointsPerUnit, pointsPerUnit);
}

void TRpPdfEngine::syncFrame()
{
    if (m_pageFrameVersion == m_frameVersion)
        return;
    m_pageFrameVersion = m_frameVersion;
    const bool clipped = m_clipEnabled && !m_clips.empty();
    if (m_pageWorld == m_world && m_pageClipped == clipped && (!clipped || m_pageClips == m_clips))
        return;
    TRpPdfContent& page = content();
    if (page.saveDepth() > 0)
        page.restore();
    page.setDecimals(m_document.decimals());
    if (clipped || !m_world.isIdentity()) {
        page.save();
        if (clipped) {
            for (const QPainterPath& clip : m_clips)
                emitClip(clip);
        }
        if (!m_world.isIdentity()) {
            page.matrix(flipped(m_world));
            page.op("cm");
            const int extra = m_worldScale > 1 ? static_cast<int>(std::ceil(std::log10(m_worldScale))) : 0;
            page.setDecimals(std::min(kMaxDecimals, m_document.decimals() + extra));
        }
    }
    m_pageWorld = m_world;
    m_pageClipped = clipped;
    m_pageClips = clipped ? m_clips : std::vector<QPainterPath>();
}

void TRpPdfEngine::emitClip(const QPainterPath& clip)
{
    if (clip.isEmpty()) {
        // Nothing shows through an empty clip.
        content().bytes() << "0 0 0 0 re\n";
    } else {
        emitPath(clip);
    }
    content().op(clip.fillRule() == Qt::OddEvenFill ? "W* n" : "W n");
}

bool TRpPdfEngine::prepareFill(const QBrush& brush, double* alpha)
{
    const Qt::BrushStyle style = brush.style();
    if (style == Qt::NoBrush)
        return false;
    const QColor colour = brushColour(brush);
    *alpha = m_opacity * (style == Qt::TexturePattern ? 1.0 : colour.alphaF());
    if (*alpha <= 0)
        return false;
    if (rpIsHatchStyle(style)) {
        const double scale = m_document.resolution() / kHatchResolution;
        const QTransform cell = QTransform::fromScale(scale, scale) * QTransform::fromTranslate(m_brushOrigin.x(), m_brushOrigin.y());
        content().setFillPattern(resources().hatchPattern(style, patternToPage(cell)), colour.rgb());
    } else if (style == Qt::TexturePattern && !brush.textureImage().isNull()) {
        const QImage texture = brush.textureImage();
        const TRpPdfImageRef* image = resources().findImage(TRpPdfResources::TImageSource::Image, texture.cacheKey());
        if (image == nullptr)
            image = &resources().addImage(texture, TRpPdfResources::TImageSource::Image, texture.cacheKey());
        const QTransform origin = brush.transform() * QTransform::fromTranslate(m_brushOrigin.x(), m_brushOrigin.y());
        content().setFillPattern(resources().imagePattern(*image, patternToPage(origin)), std::nullopt);
    } else {
        content().setFill(colour.rgb());
    }
    return true;
}

double TRpPdfEngine::userPenWidth() const
{
    const double width = m_pen.widthF();
    if (width <= 0)
        return 0; // the thinnest line the output device can show, like a cosmetic hairline
    return m_pen.isCosmetic() ? width / m_worldScale : width;
}

QByteArray TRpPdfEngine::dashOperands(double width) const
{
    if (m_pen.style() == Qt::SolidLine)
        return {};
    // Dash lengths are in pen widths; a hairline counts as one device pixel wide.
    const double unit = width > 0 ? width : 1.0 / m_worldScale;
    TRpPdfBytes out;
    out << '[';
    bool first = true;
    for (const double length : m_pen.dashPattern()) {
        if (!first)
            out << ' ';
        out.appendReal(length * unit, 3);
        first = false;
    }
    out << "] ";
    out.appendReal(m_pen.dashOffset() * unit, 3);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

bool TRpPdfEngine::prepareStroke(double* alpha)
{
    if (m_pen.style() == Qt::NoPen)
        return false;
    const QColor colour = brushColour(m_pen.brush());
    *alpha = m_opacity * colour.alphaF();
    if (*alpha <= 0)
        return false;
    TRpPdfContent& page = content();
    page.setStroke(colour.rgb());
    const double width = userPenWidth();
    page.setLineWidth(width);
    page.setLineCap(capOperand(m_pen.capStyle()));
    page.setLineJoin(joinOperand(m_pen.joinStyle()));
    // Qt measures the limit from the join point, PDF across the whole miter.
    if (m_pen.joinStyle() == Qt::MiterJoin || m_pen.joinStyle() == Qt::SvgMiterJoin)
        page.setMiterLimit(std::max(1.0, 2 * m_pen.miterLimit()));
    page.setDash(dashOperands(width));
    return true;
}

template <typename EmitPath>
void TRpPdfEngine::paintShape(const EmitPath& emitPath, TShape shape, Qt::FillRule rule, bool fillable)
{
    if (!ready())
        return;
    syncFrame();
    TRpPdfContent& page = content();
    double fillAlpha = 1, strokeAlpha = 1;
    const bool fill = fillable && m_brush.style() != Qt::NoBrush;
    if (fill && rpIsHatchStyle(m_brush.style()) && m_backgroundMode == Qt::OpaqueMode) {
        // An opaque pattern shows the background colour between its strokes.
        double backgroundAlpha = 1;
        if (prepareFill(QBrush(brushColour(m_background)), &backgroundAlpha)) {
            page.setAlphaState(resources().alphaState(backgroundAlpha, 1));
            emitPath();
            page.op(rule == Qt::OddEvenFill ? "f*" : "f");
        }
    }
    const bool filled = fill && prepareFill(m_brush, &fillAlpha);
    const bool stroked = prepareStroke(&strokeAlpha);
    if (!filled && !stroked)
        return;
    page.setAlphaState(resources().alphaState(filled ? fillAlpha : 1, stroked ? strokeAlpha : 1));
    emitPath();
    if (shape == TShape::Closed && stroked)
        page.op("h");
    page.op(paintOperator(filled, stroked, rule));
}

void TRpPdfEngine::drawRects(const QRectF* rects, int count)
{
    paintShape(
        [&] {
            for (int i = 0; i < count; ++i)
                content().rect(rects[i]);
        },
        TShape::Open, Qt::WindingFill);
}

void TRpPdfEngine::drawRects(const QRect* rects, int count)
{
    paintShape(
        [&] {
            for (int i = 0; i < count; ++i)
                content().rect(QRectF(rects[i]));
        },
        TShape::Open, Qt::WindingFill);
}

void TRpPdfEngine::drawLines(const QLineF* lines, int count)
{
    paintShape(
        [&] {
            for (int i = 0; i < count; ++i) {
                content().moveTo(lines[i].p1());
                content().lineTo(lines[i].p2());
            }
        },
        TShape::Open, Qt::WindingFill, false);
}

void TRpPdfEngine::emitEllipse(const QRectF& rect)
{
    const QPointF centre = rect.center();
    const double rx = rect.width() / 2, ry = rect.height() / 2;
    const double kx = rx * kKappa, ky = ry * kKappa;
    const double cx = centre.x(), cy = centre.y();
    TRpPdfContent& page = content();
    page.moveTo({cx + rx, cy});
    page.curveTo({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
    page.curveTo({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
    page.curveTo({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
    page.curveTo({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
}

void TRpPdfEngine::drawEllipse(const QRectF& rect)
{
    paintShape([&] { emitEllipse(rect); }, TShape::Closed, Qt::WindingFill);
}

void TRpPdfEngine::emitPath(const QPainterPath& path)
{
    TRpPdfContent& page = content();
    const int count = path.elementCount();
    QPointF start;
    int segments = 0;
    const auto closeIfReturned = [&](const QPointF& last) {
        if (segments > 1 && last == start)
            page.op("h");
    };
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            if (i > 0)
                closeIfReturned(path.elementAt(i - 1));
            start = element;
            segments = 0;
            page.moveTo(element);
            break;
        case QPainterPath::LineToElement:
            page.lineTo(element);
            ++segments;
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < count) {
                page.curveTo(element, path.elementAt(i + 1), path.elementAt(i + 2));
                i += 2;
                ++segments;
            }
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    if (count > 0)
        closeIfReturned(path.elementAt(count - 1));
}

void TRpPdfEngine::drawPath(const QPainterPath& path)
{
    paintShape([&] { emitPath(path); }, TShape::Open, path.fillRule());
}

void TRpPdfEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (count <= 0)
        return;
    const auto emitPolygon = [&] {
        content().moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            content().lineTo(points[i]);
    };
    if (mode == PolylineMode)
        paintShape(emitPolygon, TShape::Open, Qt::WindingFill, false);
    else
        paintShape(emitPolygon, TShape::Closed, mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
}

void TRpPdfEngine::drawPoints(const QPointF* points, int count)
{
    if (!ready() || m_pen.style() == Qt::NoPen)
        return;
    // A point is a dot of the pen's width in the pen's colour: round for a round cap,
    // square otherwise.
    const double width = m_pen.widthF() > 0 && !m_pen.isCosmetic() ? m_pen.widthF() : std::max(1.0, m_pen.widthF()) / m_worldScale;
    const QPen pen = m_pen;
    const QBrush brush = m_brush;
    m_pen = QPen(Qt::NoPen);
    m_brush = QBrush(brushColour(pen.brush()));
    paintShape(
        [&] {
            for (int i = 0; i < count; ++i) {
                const QRectF dot(points[i].x() - width / 2, points[i].y() - width / 2, width, width);
                if (pen.capStyle() == Qt::RoundCap)
                    emitEllipse(dot);
                else
                    content().rect(dot);
            }
        },
        TShape::Open, Qt::WindingFill);
    m_pen = pen;
    m_brush = brush;
}
