// TControl: a component with a place on a visual parent. A parent keeps its child
// controls in stacking order (first = bottom); destroying a parent destroys its children.
#pragma once

#include "core/color.h"
#include "core/component.h"

class TFont;

#include <QRect>

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ left WRITE setLeft)
    Q_PROPERTY(int Top READ top WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(int Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(int HelpContext READ helpContext WRITE setHelpContext)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_CLASSINFO("default:Cursor", "crDefault")
    Q_CLASSINFO("idents:Cursor", "TCursor")
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("default:HelpContext", "0")
    Q_CLASSINFO("default:Visible", "True")
public:
    explicit TControl(TComponent* owner = nullptr);
    ~TControl() override;

    TControl* parentControl() const { return m_parent; }
    // Appends the control on top of the new parent's stack; null takes it off.
    void setParentControl(TControl* parent);
    const QList<TControl*>& controls() const { return m_controls; }
    int controlCount() const { return int(m_controls.size()); }

    void bringToFront();
    void sendToBack();
    // Moves the control to `index` in its parent's stacking order.
    void setStackIndex(int index);

    int left() const { return m_bounds.x(); }
    int top() const { return m_bounds.y(); }
    int width() const { return m_bounds.width(); }
    int height() const { return m_bounds.height(); }
    QRect bounds() const { return m_bounds; }
    void setLeft(int left) { setBounds(left, top(), width(), height()); }
    void setTop(int top) { setBounds(left(), top, width(), height()); }
    void setWidth(int width) { setBounds(left(), top(), width, height()); }
    void setHeight(int height) { setBounds(left(), top(), width(), height); }
    virtual void setBounds(int left, int top, int width, int height);

    int cursor() const { return m_cursor; }
    void setCursor(int cursor) { m_cursor = cursor; }
    bool enabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled) { m_enabled = enabled; }
    int helpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }
    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }
    bool visible() const { return m_visible; }
    virtual void setVisible(bool visible) { m_visible = visible; }

    // Colour and font. Classes that publish them declare the properties themselves;
    // while ParentColor / ParentFont are set they follow the parent control's.
    TColor color() const { return m_color; }
    void setColor(TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    TFont* font() const;
    void setFont(TFont* font);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);

    // Font and Color are stored only while they are not inherited.
    bool isPropertyStored(const QMetaProperty& property) const override;

protected:
    // Told after the bounds changed, and after the child list changed.
    virtual void boundsChanged() {}
    virtual void controlsChanged() {}
    // Told when the control got a new parent.
    virtual void parentChanged() {}
    // Told after the font changed.
    virtual void fontChanged() {}

private:
    void detachFromParent();
    void takeInherited();
    void ownFontChanged();

    TControl* m_parent = nullptr;
    QList<TControl*> m_controls;
    QRect m_bounds;
    int m_cursor = 0;
    bool m_enabled = true;
    int m_helpContext = 0;
    QString m_hint;
    bool m_visible = true;
    TColor m_color = clWhite;
    bool m_parentColor = false;
    mutable TFont* m_font = nullptr;
    bool m_parentFont = true;
    bool m_takingParentFont = false;
};
