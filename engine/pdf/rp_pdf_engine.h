// The paint engine of the PDF device: QPainter's drawing turned into page content.
//
// QPainter's state arrives through updateState and is kept as the state wanted; what the
// page has in force is tracked by the content, so each operator is written only when a
// drawing needs a value the page does not have yet. Clips and world transforms live in
// one q ... Q group, replaced whenever either changes.
#pragma once

#include "engine/text/glyph_layout.h"

#include <QBrush>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <vector>

class TRpPdfContent;
class TRpPdfDocument;
class TRpPdfResources;
struct TRpPdfImageRef;

class TRpPdfEngine : public QPaintEngine, public IRpGlyphPainter {
public:
    explicit TRpPdfEngine(TRpPdfDocument& document);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::Pdf; }

    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF& offset) override;
    void drawTextItem(const QPointF& position, const QTextItem& textItem) override;

    // Glyph lines go straight to the page: device coordinates under the painter's world
    // transform and clip.
    int glyphResolution() const override;
    void drawGlyphLine(const QPointF& baselineStart, const TRpGlyphLine& line, const QColor& color) override;
    int textResolution(const QTextItem& textItem) const;

    // The document has started a new page, which has none of the old page's state.
    void pageStarted();

private:
    enum class TShape { Open, Closed };

    bool ready() const;
    TRpPdfContent& content();
    TRpPdfResources& resources();

    void setWorld(const QTransform& world);
    void applyClip(const QPainterPath& path, Qt::ClipOperation operation);
    void syncFrame();
    void emitClip(const QPainterPath& clip);
    QTransform flipped(const QTransform& world) const;
    QTransform patternToPage(const QTransform& patternToLogical) const;

    bool prepareFill(const QBrush& brush, double* alpha);
    bool prepareStroke(double* alpha);
    double userPenWidth() const;
    QByteArray dashOperands(double width) const;
    template <typename EmitPath>
    void paintShape(const EmitPath& emitPath, TShape shape, Qt::FillRule rule, bool fillable = true);
    void emitPath(const QPainterPath& path);
    void emitEllipse(const QRectF& rect);

    void paintImage(const TRpPdfImageRef& image, const QRectF& target);
    const TRpPdfImageRef& pixmapImage(const QPixmap& pixmap);
    void drawGlyphRun(const QPointF& start, const TRpGlyphRun& run, const QColor& color);
    void drawRunOutlines(const QPointF& start, const TRpGlyphRun& run);

    TRpPdfDocument& m_document;

    // The state QPainter asks for.
    QPen m_pen;
    QBrush m_brush;
    QTransform m_world;
    double m_worldScale = 1;
    std::vector<QPainterPath> m_clips; // device coordinates, intersected
    bool m_clipEnabled = false;
    double m_opacity = 1;
    Qt::BGMode m_backgroundMode = Qt::TransparentMode;
    QBrush m_background;
    QPointF m_brushOrigin;
    quint64 m_frameVersion = 1;

    // The clip and transform the page has in force.
    quint64 m_pageFrameVersion = 0;
    QTransform m_pageWorld;
    bool m_pageClipped = false;
    std::vector<QPainterPath> m_pageClips;
};
