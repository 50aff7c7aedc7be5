#include "data/value_conversion.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace valueconversion {

namespace {

// SQLite's julian day numbers, as its date functions store them in REAL columns.
QDateTime fromJulianDay(double julian)
{
    const qint64 day = qint64(std::floor(julian + 0.5));
    const double fraction = julian + 0.5 - double(day);
    return QDateTime(QDate::fromJulianDay(day), QTime(0, 0)).addMSecs(qint64(std::llround(fraction * 86400000.0)));
}

char16_t codeUnit(QChar c)
{
    return c.unicode();
}

char16_t codeUnit(char c)
{
    return char16_t(uchar(c));
}

// "yyyy-MM-dd" read digit by digit: the common case, and much faster than a general parse.
template <class Text>
QDate leadingIsoDate(const Text& text)
{
    if (text.size() < 10 || codeUnit(text[4]) != u'-' || codeUnit(text[7]) != u'-')
        return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char16_t c = codeUnit(text[i]);
            if (c < u'0' || c > u'9')
                return {};
            parts[p] = parts[p] * 10 + int(c - u'0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

QDateTime parseDateTime(const QString& text)
{
    if (text.size() == 10) {
        const QDate date = isoDate(text);
        if (date.isValid())
            return date.startOfDay();
    }
    QString iso = text.trimmed();
    if (iso.size() > 10 && iso[10] == u' ')
        iso[10] = u'T';
    QDateTime dateTime = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (!dateTime.isValid())
        dateTime = QDateTime::fromString(iso, Qt::ISODate);
    if (!dateTime.isValid()) {
        const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
        if (date.isValid())
            dateTime = date.startOfDay();
    }
    return dateTime;
}

bool isNumber(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QVariant toDateTimeValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return value;
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().startOfDay();
    QDateTime dateTime = isNumber(value) ? fromJulianDay(value.toDouble()) : parseDateTime(value.toString());
    return dateTime.isValid() ? QVariant(dateTime) : QVariant();
}

QVariant toTimeValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QTime)
        return value;
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().time();
    QTime time = QTime::fromString(value.toString().trimmed(), Qt::ISODateWithMs);
    if (!time.isValid())
        time = QTime::fromString(value.toString().trimmed(), Qt::ISODate);
    if (!time.isValid()) {
        const QDateTime dateTime = parseDateTime(value.toString());
        if (dateTime.isValid() && value.toString().size() > 10)
            time = dateTime.time();
    }
    return time.isValid() ? QVariant(time) : QVariant();
}

QVariant toBooleanValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value;
    if (isNumber(value))
        return value.toDouble() != 0;
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("t") || text == QLatin1String("yes")
        || text == QLatin1String("y") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("f") || text == QLatin1String("no")
        || text == QLatin1String("n") || text == QLatin1String("0"))
        return false;
    return {};
}

QVariant toIntegerValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::LongLong)
        return value;
    if (value.metaType().id() == QMetaType::Double)
        return qint64(std::llround(value.toDouble()));
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (ok)
        return number;
    const double real = value.toString().trimmed().toDouble(&ok);
    return ok ? QVariant(qint64(std::llround(real))) : QVariant();
}

QVariant toFloatValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::Double)
        return value;
    bool ok = false;
    const double number = isNumber(value) ? value.toDouble(&ok) : value.toString().trimmed().toDouble(&ok);
    return ok ? QVariant(number) : QVariant();
}

QVariant toStringValue(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value;
    if (value.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

} // namespace

QDate isoDate(QStringView text)
{
    return leadingIsoDate(text);
}

QDate isoDate(QByteArrayView text)
{
    return leadingIsoDate(text);
}

QVariant toFieldValue(const QVariant& value, TFieldType type)
{
    if (value.isNull())
        return {};
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        return toStringValue(value);
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return toIntegerValue(value);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return toFloatValue(value);
    case TFieldType::ftBoolean:
        return toBooleanValue(value);
    case TFieldType::ftDate: {
        if (value.metaType().id() == QMetaType::QString) {
            const QDate date = isoDate(value.toString());
            if (date.isValid())
                return date;
        }
        const QVariant dateTime = toDateTimeValue(value);
        return dateTime.isNull() ? QVariant() : QVariant(dateTime.toDateTime().date());
    }
    case TFieldType::ftTime:
        return toTimeValue(value);
    case TFieldType::ftDateTime:
        return toDateTimeValue(value);
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
        return value.metaType().id() == QMetaType::QByteArray ? value : QVariant(value.toString().toUtf8());
    default:
        return value;
    }
}

namespace {

TFieldType fromValueType(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TFieldType::ftInteger;
    case QMetaType::Short:
    case QMetaType::UShort:
        return TFieldType::ftSmallint;
    case QMetaType::Double:
    case QMetaType::Float:
        return TFieldType::ftFloat;
    case QMetaType::Bool:
        return TFieldType::ftBoolean;
    case QMetaType::QDate:
        return TFieldType::ftDate;
    case QMetaType::QTime:
        return TFieldType::ftTime;
    case QMetaType::QDateTime:
        return TFieldType::ftDateTime;
    case QMetaType::QByteArray:
        return TFieldType::ftBlob;
    default:
        return TFieldType::ftString;
    }
}

struct TypeWord {
    const char* word;
    TFieldType type;
};

// Checked in order: the first word the declaration contains decides.
const TypeWord typeWords[] = {
    {"DATETIME", TFieldType::ftDateTime}, {"TIMESTAMP", TFieldType::ftDateTime},
    {"DATE", TFieldType::ftDate},         {"TIME", TFieldType::ftTime},
    {"BOOL", TFieldType::ftBoolean},      {"SMALLINT", TFieldType::ftSmallint},
    {"TINYINT", TFieldType::ftSmallint},  {"WORD", TFieldType::ftWord},
    {"AUTOINC", TFieldType::ftAutoInc},   {"INT", TFieldType::ftInteger},
    {"CURRENCY", TFieldType::ftCurrency}, {"MONEY", TFieldType::ftCurrency},
    {"DECIMAL", TFieldType::ftBCD},       {"NUMERIC", TFieldType::ftBCD},
    {"REAL", TFieldType::ftFloat},        {"FLOA", TFieldType::ftFloat},
    {"DOUB", TFieldType::ftFloat},        {"MEMO", TFieldType::ftMemo},
    {"CLOB", TFieldType::ftMemo},         {"GRAPHIC", TFieldType::ftGraphic},
    {"IMAGE", TFieldType::ftGraphic},     {"PICTURE", TFieldType::ftGraphic},
    {"BLOB", TFieldType::ftBlob},         {"BINARY", TFieldType::ftBlob},
    {"BYTEA", TFieldType::ftBlob},        {"CHAR", TFieldType::ftString},
    {"TEXT", TFieldType::ftString},       {"STRING", TFieldType::ftString},
};

} // namespace

TFieldDef fromDeclaredType(const QString& name, const QString& declaredType, QMetaType valueType)
{
    TFieldDef def;
    def.name = name;
    const QString upper = declaredType.toUpper();
    def.dataType = fromValueType(valueType);
    for (const TypeWord& word : typeWords) {
        if (upper.contains(QLatin1String(word.word))) {
            def.dataType = word.type;
            break;
        }
    }
    static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\)"));
    const QRegularExpressionMatch match = sizePattern.match(upper);
    if (match.hasMatch()) {
        def.size = match.captured(1).toInt();
        def.precision = match.captured(2).toInt();
    }
    return def;
}

QString declaredTypeOf(const TFieldDef& def)
{
    switch (def.dataType) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
        return def.size > 0 ? QStringLiteral("VARCHAR(%1)").arg(def.size) : QStringLiteral("TEXT");
    case TFieldType::ftSmallint:
        return QStringLiteral("SMALLINT");
    case TFieldType::ftWord:
        return QStringLiteral("WORD");
    case TFieldType::ftAutoInc:
        return QStringLiteral("AUTOINC");
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
        return QStringLiteral("INTEGER");
    case TFieldType::ftFloat:
        return QStringLiteral("FLOAT");
    case TFieldType::ftCurrency:
        return QStringLiteral("CURRENCY");
    case TFieldType::ftBCD:
        return QStringLiteral("DECIMAL(%1,%2)").arg(std::max(def.size, 18)).arg(def.precision);
    case TFieldType::ftBoolean:
        return QStringLiteral("BOOLEAN");
    case TFieldType::ftDate:
        return QStringLiteral("DATE");
    case TFieldType::ftTime:
        return QStringLiteral("TIME");
    case TFieldType::ftDateTime:
        return QStringLiteral("DATETIME");
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        return QStringLiteral("MEMO");
    case TFieldType::ftGraphic:
        return QStringLiteral("GRAPHIC");
    default:
        return QStringLiteral("BLOB");
    }
}

QVariant toSqliteValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    case QMetaType::Bool:
        return qint64(value.toBool() ? 1 : 0);
    default:
        return value;
    }
}

} // namespace valueconversion
