#include "data/field.h"

#include "data/dataset.h"
#include "data/field_format.h"

#include <QLocale>
#include <QMetaProperty>

#include <cmath>

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField()
{
    if (m_dataSet)
        m_dataSet->detachField(this);
}

void TField::setDataSet(TDataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        m_dataSet->detachField(this);
    m_dataSet = dataSet;
    m_fieldNo = -1;
    if (dataSet)
        dataSet->attachField(this);
}

int TField::index() const
{
    return m_dataSet ? int(m_dataSet->fields().indexOf(const_cast<TField*>(this))) : -1;
}

void TField::setIndex(int index)
{
    if (m_dataSet)
        m_dataSet->moveField(this, index);
}

void TField::setFieldName(const QString& name)
{
    m_fieldName = name;
}

void TField::setDisplayLabel(const QString& label)
{
    m_displayLabel = label == m_fieldName ? QString() : label;
}

void TField::setFieldKind(TFieldKind kind)
{
    m_fieldKind = kind;
    m_fieldNo = -1;
}

bool TField::isDefaultField() const
{
    return m_dataSet && owner() == m_dataSet;
}

bool TField::isPropertyStored(const QMetaProperty& property) const
{
    const QLatin1String name(property.name());
    if (name == QLatin1String("DisplayLabel"))
        return !m_displayLabel.isEmpty();
    if (name == QLatin1String("DisplayWidth"))
        return m_displayWidth > 0;
    return TComponent::isPropertyStored(property);
}

QVariant TField::value() const
{
    if (!m_dataSet || !m_dataSet->active())
        return {};
    if (isLookup())
        return lookupValue();
    return m_dataSet->columnValue(m_fieldNo);
}

QVariant TField::lookupValue() const
{
    if (!m_lookupDataSet || m_lookupDataSet == m_dataSet)
        return {};
    QVariantList keys;
    for (const QString& name : m_keyFields.split(u';', Qt::SkipEmptyParts)) {
        TField* key = m_dataSet->findField(name.trimmed());
        if (!key || key == this)
            return {};
        keys.append(key->value());
    }
    return m_lookupDataSet->lookup(m_lookupKeyFields, keys, m_lookupResultField);
}

QString TField::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    return fieldformat::plainText(v);
}

qint64 TField::asInteger() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (v.metaType().id() == QMetaType::Double)
        return qint64(std::llround(v.toDouble()));
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    return qint64(std::llround(QLocale().toDouble(v.toString())));
}

double TField::asFloat() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : QLocale().toDouble(v.toString());
}

bool TField::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull())
        return false;
    if (v.metaType().id() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
               || text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
               || text.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
    }
    return v.toBool();
}

QDateTime TField::asDateTime() const
{
    const QVariant v = value();
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return v.toDate().startOfDay();
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), v.toTime());
    case QMetaType::QDateTime:
        return v.toDateTime();
    default:
        return v.isNull() ? QDateTime() : QDateTime::fromString(v.toString(), Qt::ISODate);
    }
}
