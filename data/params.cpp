#include "data/params.h"

#include "core/error.h"
#include "core/stream_value.h"

#include <QDateTime>
#include <QMetaEnum>

#include <optional>

TParam::TParam(TCollection* collection) : TCollectionItem(collection) {}

void TParam::setValue(const QVariant& value)
{
    m_value = value;
    m_bound = true;
    if (m_dataType != TFieldType::ftUnknown || value.isNull())
        return;
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        m_dataType = TFieldType::ftInteger;
        break;
    case QMetaType::Double:
        m_dataType = TFieldType::ftFloat;
        break;
    case QMetaType::Bool:
        m_dataType = TFieldType::ftBoolean;
        break;
    case QMetaType::QDate:
        m_dataType = TFieldType::ftDate;
        break;
    case QMetaType::QTime:
        m_dataType = TFieldType::ftTime;
        break;
    case QMetaType::QDateTime:
        m_dataType = TFieldType::ftDateTime;
        break;
    case QMetaType::QString:
        m_dataType = TFieldType::ftString;
        break;
    default:
        break;
    }
}

void TParam::clear()
{
    m_value = QVariant();
}

QVariant TParam::boundValue() const
{
    if (!m_value.isNull())
        return m_value;
    switch (m_dataType) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return QVariant(QMetaType::fromType<qint64>());
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return QVariant(QMetaType::fromType<double>());
    case TFieldType::ftBoolean:
        return QVariant(QMetaType::fromType<bool>());
    case TFieldType::ftDate:
        return QVariant(QMetaType::fromType<QDate>());
    case TFieldType::ftTime:
        return QVariant(QMetaType::fromType<QTime>());
    case TFieldType::ftDateTime:
        return QVariant(QMetaType::fromType<QDateTime>());
    default:
        return QVariant(QMetaType::fromType<QString>());
    }
}

void TParam::assign(const TPersistent& source)
{
    const auto* other = qobject_cast<const TParam*>(&source);
    if (!other) {
        TCollectionItem::assign(source);
        return;
    }
    m_name = other->m_name;
    m_dataType = other->m_dataType;
    m_paramType = other->m_paramType;
    m_value = other->m_value;
    m_bound = other->m_bound;
}

namespace {

TStreamValue streamValue(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return TStreamValue::boolean(value.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        return TStreamValue::integer(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return TStreamValue::extended(value.toDouble());
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime: {
        // The platform's date value: days since 30 December 1899, time as the fraction.
        const QDateTime dateTime = value.metaType().id() == QMetaType::QTime
                                       ? QDateTime(QDate(1899, 12, 30), value.toTime())
                                       : value.toDateTime();
        const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
        return TStreamValue::date(double(epoch.msecsTo(dateTime)) / 86400000.0);
    }
    default:
        return TStreamValue::string(value.toString());
    }
}

QVariant variantOf(const TStreamValue& value, TFieldType type)
{
    switch (value.type()) {
    case TStreamValue::Type::Nil:
        return {};
    case TStreamValue::Type::False:
    case TStreamValue::Type::True:
        return value.type() == TStreamValue::Type::True;
    case TStreamValue::Type::Date: {
        const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
        const QDateTime dateTime = epoch.addMSecs(qint64(std::llround(double(value.toFloat()) * 86400000.0)));
        if (type == TFieldType::ftDate)
            return dateTime.date();
        if (type == TFieldType::ftTime)
            return dateTime.time();
        return dateTime;
    }
    default:
        if (value.isInteger())
            return value.toInteger();
        if (value.isFloat())
            return double(value.toFloat());
        return value.text();
    }
}

template <class Enum>
std::optional<Enum> enumOf(const TStreamValue& value)
{
    bool ok = false;
    const int key = QMetaEnum::fromType<Enum>().keyToValue(value.text().toLatin1().constData(), &ok);
    if (!ok || value.type() != TStreamValue::Type::Ident)
        return std::nullopt;
    return Enum(key);
}

template <class Enum>
TStreamValue identifierOf(Enum value)
{
    return TStreamValue::identifier(QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKey(int(value))));
}

const TStreamValue* storedProperty(const TStreamValue::CollectionItem& item, QLatin1String name)
{
    for (const auto& [key, value] : item.properties) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

} // namespace

void TParam::defineProperties(TPropertyDefiner& definer)
{
    TCollectionItem::defineProperties(definer);
    definer.defineProperty(
        QStringLiteral("Value"),
        [this](const TStreamValue& stored) {
            const bool wasBound = m_bound;
            m_value = variantOf(stored, m_dataType);
            m_bound = wasBound || !m_value.isNull();
        },
        [this] { return streamValue(m_value); }, !m_value.isNull());
}

TParams::TParams(QObject* parent) : TCollection(&TParam::staticMetaObject, parent) {}

TCollectionItem* TParams::createItem()
{
    return new TParam(this);
}

TParam* TParams::addParam(const QString& name, TFieldType type)
{
    auto* param = static_cast<TParam*>(add());
    param->setName(name);
    param->setDataType(type);
    param->setParamType(TParamType::ptInput);
    return param;
}

TParam* TParams::findParam(QStringView name) const
{
    for (TCollectionItem* item : items()) {
        auto* param = static_cast<TParam*>(item);
        if (name.compare(param->name(), Qt::CaseInsensitive) == 0)
            return param;
    }
    return nullptr;
}

TParam* TParams::paramByName(QStringView name) const
{
    if (TParam* param = findParam(name))
        return param;
    throw EVelError(QStringLiteral("Parameter '%1' not found").arg(name.toString()));
}

void TParams::setNames(const QStringList& names)
{
    QList<TParam*> kept;
    for (const QString& name : names) {
        TParam* fresh = new TParam(nullptr);
        fresh->setName(name);
        fresh->setParamType(TParamType::ptInput);
        if (TParam* old = findParam(name)) {
            fresh->assign(*old);
            fresh->setName(name);
        }
        kept.append(fresh);
    }
    clear();
    for (TParam* param : kept) {
        static_cast<TParam*>(add())->assign(*param);
        delete param;
    }
}

TStreamValue TParams::storedItems() const
{
    QList<TStreamValue::CollectionItem> items;
    for (int i = 0; i < count(); ++i) {
        const TParam* p = param(i);
        TStreamValue::CollectionItem item;
        item.properties.append({QStringLiteral("DataType"), identifierOf(p->dataType())});
        item.properties.append({QStringLiteral("Name"), TStreamValue::string(p->name())});
        item.properties.append({QStringLiteral("ParamType"), identifierOf(p->paramType())});
        if (!p->isNull())
            item.properties.append({QStringLiteral("Value"), streamValue(p->value())});
        items.append(item);
    }
    return TStreamValue::collection(items);
}

void TParams::readStoredItems(const TStreamValue& stored)
{
    for (const TStreamValue::CollectionItem& item : stored.collectionItems()) {
        const TStreamValue* name = storedProperty(item, QLatin1String("Name"));
        if (!name || !name->isString() || name->text().isEmpty())
            continue;
        TParam* p = findParam(name->text());
        if (!p)
            p = addParam(name->text());
        if (const TStreamValue* type = storedProperty(item, QLatin1String("DataType"))) {
            if (const auto dataType = enumOf<TFieldType>(*type))
                p->setDataType(*dataType);
        }
        if (const TStreamValue* type = storedProperty(item, QLatin1String("ParamType"))) {
            if (const auto paramType = enumOf<TParamType>(*type))
                p->setParamType(*paramType);
        }
        if (const TStreamValue* value = storedProperty(item, QLatin1String("Value"))) {
            const QVariant read = variantOf(*value, p->dataType());
            if (!read.isNull())
                p->setValue(read);
        }
    }
}

namespace sqlparams {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past a quoted run starting at `start` (the quote doubles as its escape).
qsizetype skipQuoted(const QString& sql, qsizetype start)
{
    const QChar quote = sql[start];
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

qsizetype skipComment(const QString& sql, qsizetype start)
{
    if (sql[start] == u'-') {
        const qsizetype end = sql.indexOf(u'\n', start);
        return end < 0 ? sql.size() : end;
    }
    const qsizetype end = sql.indexOf(QLatin1String("*/"), start + 2);
    return end < 0 ? sql.size() : end + 2;
}

} // namespace

ParsedSql parse(const QString& sql)
{
    ParsedSql parsed;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        qsizetype end = i + 1;
        if (c == u'\'' || c == u'"' || c == u'`') {
            end = skipQuoted(sql, i);
        } else if ((c == u'-' && next == u'-') || (c == u'/' && next == u'*')) {
            end = skipComment(sql, i);
        } else if (c == u':' && next == u':') {
            end = i + 2;
        } else if (c == u':' && (isNameChar(next) || next == u'"')) {
            QString name;
            if (next == u'"') {
                end = skipQuoted(sql, i + 1);
                name = sql.mid(i + 2, end - i - 3).replace(QLatin1String("\"\""), QLatin1String("\""));
            } else {
                end = i + 1;
                while (end < sql.size() && isNameChar(sql[end]))
                    ++end;
                name = sql.mid(i + 1, end - i - 1);
            }
            parsed.text += u'?';
            parsed.markers.append(name);
            if (!parsed.names.contains(name, Qt::CaseInsensitive))
                parsed.names.append(name);
            i = end;
            continue;
        }
        parsed.text += QStringView(sql).mid(i, end - i);
        i = end;
    }
    return parsed;
}

} // namespace sqlparams
