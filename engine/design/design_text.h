// The captions of text controls on the design surface.
#pragma once

#include <QRect>
#include <QString>

class TDesignPaintContext;
class TRpCustomLabel;

namespace rpdesign {

// What a text control shows while it is designed: a label its caption, a memo its
// lines, a database text its field name, an expression its expression (or "(none)"), a
// system value its text and data kind; other text controls their "Caption" property.
QString designCaption(const TRpCustomLabel& control);

// Writes `text` formatted as the control prints it (paragraphs, word wrap, automatic
// size), in the control's font scaled to the zoom, aligned in `area` (report pixels)
// inside the frame sides it draws. Lines are written while they fit in the height; an
// automatically sized control always shows its first line.
void drawControlText(TDesignPaintContext& context, const TRpCustomLabel& control, const QRect& area,
                     const QString& text);

} // namespace rpdesign
