// TScrollBox: the scrolling area of a design window that holds the report. It is part
// of the stored document (as the window's "ReportOwner").
#pragma once

#include "core/control.h"

namespace Doc {
Q_NAMESPACE
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)
} // namespace Doc

class TScrollBox : public TControl {
    Q_OBJECT
    Q_PROPERTY(Doc::TAlign Align READ align WRITE setAlign)
    Q_CLASSINFO("default:Align", "alNone")
public:
    explicit TScrollBox(TComponent* owner = nullptr);

    Doc::TAlign align() const { return m_align; }
    void setAlign(Doc::TAlign align) { m_align = align; }

    // The scrolled offset of the contents; not stored.
    QPoint scrollPosition() const { return m_scroll; }
    void scrollTo(QPoint position) { m_scroll = position; }

private:
    Doc::TAlign m_align = Doc::TAlign::alNone;
    QPoint m_scroll;
};
