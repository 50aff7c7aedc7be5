// Small component classes that exercise every kind of published property.
#pragma once

#include "support/test_support.h"
#include "core/color.h"
#include "core/control.h"
#include "core/font.h"
#include "core/method.h"
#include "core/pen_brush.h"
#include "core/strings.h"
#include "core/vcl_types.h"

#include <QPointer>

class TTestWidget : public TControl {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(TPen* Pen READ pen)
    Q_PROPERTY(TStrings* Lines READ lines)
    Q_PROPERTY(Vcl::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(double Ratio READ ratio WRITE setRatio)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TComponent* Buddy READ buddy WRITE setBuddy)
    Q_PROPERTY(TMethod OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(int Secret READ secret WRITE setSecret STORED false)
    Q_CLASSINFO("default:Alignment", "taLeftJustify")
    Q_CLASSINFO("default:ParentFont", "True")
public:
    explicit TTestWidget(TComponent* owner = nullptr) : TControl(owner), m_pen(new TPen(this)), m_lines(new TStrings(this)) {}

    TPen* pen() const { return m_pen; }
    TStrings* lines() const { return m_lines; }
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment) { m_alignment = alignment; }
    double ratio() const { return m_ratio; }
    void setRatio(double ratio) { m_ratio = ratio; }
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    TComponent* buddy() const { return m_buddy; }
    void setBuddy(TComponent* buddy) { m_buddy = buddy; }
    TMethod onClick() const { return m_onClick; }
    void setOnClick(const TMethod& handler) { m_onClick = handler; }
    int secret() const { return m_secret; }
    void setSecret(int secret) { m_secret = secret; }

private:
    TPen* m_pen;
    TStrings* m_lines;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    double m_ratio = 0;
    QString m_caption;
    QPointer<TComponent> m_buddy;
    TMethod m_onClick;
    int m_secret = 0;
};
