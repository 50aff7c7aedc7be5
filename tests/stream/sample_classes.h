// Small storable classes for the stream tests: together they hold a property of every
// kind the stream knows, a sub-object, a string list, a reference, an event, binary
// data and an extra value stored through the define-properties hook.
#pragma once

#include "core/class_registry.h"
#include "core/color.h"
#include "core/control.h"
#include "core/error.h"
#include "core/font.h"
#include "core/method.h"
#include "core/strings.h"
#include "core/vcl_types.h"

#include <QPointer>

namespace Sample {
Q_NAMESPACE
enum class TShade { shLight, shMedium, shDark };
Q_ENUM_NS(TShade)
enum class TPart { ptTop = 0x1, ptMiddle = 0x2, ptBottom = 0x4 };
Q_DECLARE_FLAGS(TParts, TPart)
Q_FLAG_NS(TParts)
} // namespace Sample
Q_DECLARE_OPERATORS_FOR_FLAGS(Sample::TParts)

// A nested object with a default of its own.
class TSampleBorder : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_CLASSINFO("default:Width", "1")
public:
    explicit TSampleBorder(QObject* parent = nullptr) : TPersistent(parent) {}
    int width() const { return m_width; }
    void setWidth(int width) { m_width = width; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

private:
    int m_width = 1;
    bool m_visible = false;
};

class TSamplePanel : public TControl {
    Q_OBJECT
    Q_PROPERTY(qint64 Big READ big WRITE setBig)
    Q_PROPERTY(double Ratio READ ratio WRITE setRatio)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(Sample::TShade Shade READ shade WRITE setShade)
    Q_PROPERTY(Sample::TParts Parts READ parts WRITE setParts)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TSampleBorder* Border READ border)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(TStrings* Lines READ lines)
    Q_PROPERTY(TSamplePanel* Buddy READ buddy WRITE setBuddy)
    Q_PROPERTY(TComponent* Link READ link WRITE setLink)
    Q_PROPERTY(TMethod OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(QByteArray Data READ data WRITE setData)
    Q_PROPERTY(int Secret READ secret WRITE setSecret STORED false)
    Q_PROPERTY(int Limited READ limited WRITE setLimited)
    Q_CLASSINFO("default:Shade", "shLight")
    Q_CLASSINFO("default:Active", "True")
    Q_CLASSINFO("default:Color", "clWhite")
public:
    explicit TSamplePanel(TComponent* owner = nullptr)
        : TControl(owner), m_border(new TSampleBorder(this)), m_lines(new TStrings(this))
    {
    }

    qint64 big() const { return m_big; }
    void setBig(qint64 big) { m_big = big; }
    double ratio() const { return m_ratio; }
    void setRatio(double ratio) { m_ratio = ratio; }
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    Sample::TShade shade() const { return m_shade; }
    void setShade(Sample::TShade shade) { m_shade = shade; }
    Sample::TParts parts() const { return m_parts; }
    void setParts(Sample::TParts parts) { m_parts = parts; }
    TSampleBorder* border() const { return m_border; }
    TStrings* lines() const { return m_lines; }
    TSamplePanel* buddy() const { return m_buddy; }
    void setBuddy(TSamplePanel* buddy) { m_buddy = buddy; }
    TComponent* link() const { return m_link; }
    void setLink(TComponent* link) { m_link = link; }
    TMethod onClick() const { return m_onClick; }
    void setOnClick(const TMethod& method) { m_onClick = method; }
    QByteArray data() const { return m_data; }
    void setData(const QByteArray& data) { m_data = data; }
    int secret() const { return m_secret; }
    void setSecret(int secret) { m_secret = secret; }
    // Refuses values above 100, as a setter that validates its input does.
    int limited() const { return m_limited; }
    void setLimited(int value)
    {
        if (value > 100)
            throw EVelError(QStringLiteral("Value too large"));
        m_limited = value;
    }

    // An extra value stored under a name of its own.
    int extra = 0;
    int loadedCalls = 0;
    bool referenceSeenInLoaded = false;

    void defineProperties(TPropertyDefiner& definer) override
    {
        definer.defineProperty(
            QStringLiteral("Extra"), [this](const TStreamValue& value) { extra = int(value.toInteger()); },
            [this] { return TStreamValue::integer(extra); }, extra != 0);
    }

    void loaded() override
    {
        ++loadedCalls;
        referenceSeenInLoaded = m_buddy != nullptr;
    }

private:
    qint64 m_big = 0;
    double m_ratio = 0;
    QString m_caption;
    bool m_active = true;
    Sample::TShade m_shade = Sample::TShade::shLight;
    Sample::TParts m_parts;
    TSampleBorder* m_border;
    TStrings* m_lines;
    QPointer<TSamplePanel> m_buddy;
    QPointer<TComponent> m_link;
    TMethod m_onClick;
    QByteArray m_data;
    int m_secret = 0;
    int m_limited = 0;
};

// A non-visual component, as datasets and links are.
class TSampleItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    explicit TSampleItem(TComponent* owner = nullptr) : TComponent(owner) {}
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

private:
    QString m_text;
};

// A root as documents are: a control that owns everything read into it.
class TSampleRoot : public TControl {
    Q_OBJECT
public:
    explicit TSampleRoot(TComponent* owner = nullptr) : TControl(owner) {}
};

inline void registerSampleClasses()
{
    TClassRegistry::instance().registerClasses<TSamplePanel, TSampleItem, TSampleRoot>(QString());
}
