// TPersistent: the base of every object whose published properties are stored, edited
// and scripted by name. Published properties are the Q_PROPERTYs of the class; their
// declared defaults are class-info entries "default:<Property>" holding the default in
// its text form (see property_access.h). A property marked STORED false is never written.
#pragma once

#include "core/stream_value.h"

#include <QObject>

#include <functional>

class QMetaProperty;

// Receives the extra values an object stores under fixed names of its own ("Values",
// "FontSize", "DATA" ...). The component stream implements it for reading and writing.
class TPropertyDefiner {
public:
    using Reader = std::function<void(const TStreamValue&)>;
    using Writer = std::function<TStreamValue()>;

    virtual ~TPropertyDefiner() = default;

    // `read` receives the stored value while reading; `write` gives the value to store,
    // and is only asked when `hasData` is true.
    virtual void defineProperty(const QString& name, const Reader& read, const Writer& write, bool hasData) = 0;
};

class TPersistent : public QObject {
    Q_OBJECT
public:
    explicit TPersistent(QObject* parent = nullptr);
    ~TPersistent() override;

    // Whether the value of a published property is to be written at all. The default
    // answers the property's static STORED flag; classes override it for rules such as
    // "stored unless inherited from the parent".
    virtual bool isPropertyStored(const QMetaProperty& property) const;

    // The extra stored values of this object.
    virtual void defineProperties(TPropertyDefiner& definer);

    // Copies every published, writable property of `source` (sub-objects by value).
    virtual void assign(const TPersistent& source);

    // Called after any published value changed; owners use it to redraw or re-layout.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void changed();

private:
    std::function<void()> m_onChange;
};
