#include "engine/design/design_controls.h"

#include "engine/design/design_context.h"
#include "engine/design/design_frame.h"
#include "engine/design/design_text.h"
#include "engine/rp_printable.h"
#include "engine/rp_printable_drawing.h"

#include <QHash>
#include <QMetaObject>
#include <QMetaProperty>
#include <QPainter>

#include <cmath>

namespace rpdesign {

namespace {

void drawShape(TDesignPaintContext& context, const TRpPrintable& control, const QRect& area)
{
    const auto& shape = static_cast<const TRpShape&>(control);
    QPen pen = shape.pen()->toQPen();
    pen.setWidthF(std::max(1.0, std::round(pen.widthF() * context.zoom() / 100.0)));
    // The outline lies inside the control, as its strokes are centred on the rectangle.
    const double inset = pen.style() == Qt::NoPen ? 0 : pen.widthF() / 2;
    const QRectF r = QRectF(area).adjusted(inset, inset, -inset, -inset);
    QPainter& painter = context.painter();
    painter.setPen(pen);
    painter.setBrush(shape.brush()->toQBrush());
    rpdraw::drawShape(painter, shape.shape(), r);
    painter.setBrush(Qt::NoBrush);
}

// Stretched pictures fill the control; others keep their size (picture pixels taken as
// screen pixels) at the zoom, centred or at the top-left, clipped to the control.
void drawImage(TDesignPaintContext& context, const TRpPrintable& control, const QRect& area)
{
    const auto& image = static_cast<const TRpImage&>(control);
    const QImage picture = image.picture()->image();
    if (picture.isNull())
        return;
    QPainter& painter = context.painter();
    if (image.stretch()) {
        painter.drawImage(area, picture);
        return;
    }
    const double scale = context.zoom() / 100.0;
    QRectF natural(area.topLeft(), QSizeF(picture.width() * scale, picture.height() * scale));
    if (image.center())
        natural.moveCenter(QRectF(area).center());
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.drawImage(natural, picture);
    painter.restore();
}

void drawText(TDesignPaintContext& context, const TRpPrintable& control, const QRect& area)
{
    const auto& label = static_cast<const TRpCustomLabel&>(control);
    drawControlText(context, label, area, designCaption(label));
}

class ContentPainters {
public:
    static ContentPainters& instance()
    {
        static ContentPainters painters;
        return painters;
    }

    void add(const QMetaObject& controlClass, TDesignContentPainter painter)
    {
        if (painter)
            m_byClass.insert(&controlClass, std::move(painter));
        else
            m_byClass.remove(&controlClass);
        m_resolved.clear();
    }

    // The painter of the class or of its nearest registered ancestor; null when none.
    const TDesignContentPainter* find(const QMetaObject* controlClass)
    {
        auto known = m_resolved.constFind(controlClass);
        if (known != m_resolved.cend())
            return known.value();
        const TDesignContentPainter* found = nullptr;
        for (const QMetaObject* cls = controlClass; cls && !found; cls = cls->superClass()) {
            auto it = m_byClass.constFind(cls);
            if (it != m_byClass.cend())
                found = &it.value();
        }
        m_resolved.insert(controlClass, found);
        return found;
    }

private:
    ContentPainters()
    {
        add(TRpCustomLabel::staticMetaObject, drawText);
        add(TRpShape::staticMetaObject, drawShape);
        add(TRpImage::staticMetaObject, drawImage);
    }

    QHash<const QMetaObject*, TDesignContentPainter> m_byClass;
    QHash<const QMetaObject*, const TDesignContentPainter*> m_resolved;
};

// Text controls answer for themselves; other classes may publish "Transparent".
bool isTransparent(const TRpPrintable& control)
{
    if (auto* label = qobject_cast<const TRpCustomLabel*>(&control))
        return label->transparent();
    static QHash<const QMetaObject*, int> propertyIndex;
    const QMetaObject* cls = control.metaObject();
    auto it = propertyIndex.constFind(cls);
    if (it == propertyIndex.cend())
        it = propertyIndex.insert(cls, cls->indexOfProperty("Transparent"));
    return it.value() >= 0 && cls->property(it.value()).read(&control).toBool();
}

} // namespace

void registerContentPainter(const QMetaObject& controlClass, TDesignContentPainter painter)
{
    ContentPainters::instance().add(controlClass, std::move(painter));
}

void drawControl(TDesignPaintContext& context, const TRpPrintable& control, const QPoint& parentOrigin)
{
    const QRect area = control.bounds().translated(parentOrigin);
    if (!control.visible() || area.isEmpty() || !area.intersects(context.exposed()))
        return;
    QPainter& painter = context.painter();
    if (!isTransparent(control))
        painter.fillRect(area, Qt::white);
    drawCornerMarks(painter, area);
    drawFrameStrips(painter, *control.frame(), area,
                    frameStripThickness(control.frame()->width(), context.pixelsPerInch(), context.zoom()));
    if (const TDesignContentPainter* content = ContentPainters::instance().find(control.metaObject()))
        (*content)(context, control, area);
}

} // namespace rpdesign
