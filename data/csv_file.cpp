// Reading CSV tables: the first line names the fields; a column whose values all read as
// integers, numbers, ISO dates or ISO date-times gets that type, else it holds text. An
// empty value is null.
#include "data/file_table.h"

#include "core/error.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

namespace filetables {

namespace {

QChar separatorOf(QStringView text)
{
    const qsizetype end = text.indexOf(u'\n');
    const QStringView header = end < 0 ? text : text.left(end);
    const auto count = [&](QChar c) { return header.count(c); };
    if (count(u';') > count(u',') && count(u';') >= count(u'\t'))
        return u';';
    if (count(u'\t') > count(u','))
        return u'\t';
    return u',';
}

// Splits the whole text into records of fields, honouring quotes ("" inside quotes is a
// quote) and line breaks inside quoted fields.
QList<QStringList> splitRecords(QStringView text, QChar separator)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.append(field);
            field.clear();
            fieldStarted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (fieldStarted || !field.isEmpty() || !record.isEmpty()) {
                record.append(field);
                records.append(record);
            }
            record.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !record.isEmpty()) {
        record.append(field);
        records.append(record);
    }
    return records;
}

enum class Guess { Integer, Float, Date, DateTime, Text };

Guess guessOf(const QString& value)
{
    bool ok = false;
    value.toLongLong(&ok);
    if (ok)
        return Guess::Integer;
    value.toDouble(&ok);
    if (ok)
        return Guess::Float;
    if (value.size() == 10 && QDate::fromString(value, Qt::ISODate).isValid())
        return Guess::Date;
    if (value.size() > 10 && QDateTime::fromString(QString(value).replace(10, 1, u'T'), Qt::ISODate).isValid())
        return Guess::DateTime;
    return Guess::Text;
}

// The narrowest type that holds both guesses.
Guess widen(Guess a, Guess b)
{
    if (a == b)
        return a;
    const bool numbers = (a == Guess::Integer || a == Guess::Float) && (b == Guess::Integer || b == Guess::Float);
    if (numbers)
        return Guess::Float;
    const bool dates = (a == Guess::Date || a == Guess::DateTime) && (b == Guess::Date || b == Guess::DateTime);
    return dates ? Guess::DateTime : Guess::Text;
}

TFieldType typeOf(Guess guess)
{
    switch (guess) {
    case Guess::Integer:
        return TFieldType::ftInteger;
    case Guess::Float:
        return TFieldType::ftFloat;
    case Guess::Date:
        return TFieldType::ftDate;
    case Guess::DateTime:
        return TFieldType::ftDateTime;
    default:
        return TFieldType::ftString;
    }
}

QVariant valueOf(const QString& text, TFieldType type)
{
    if (text.isEmpty())
        return {};
    switch (type) {
    case TFieldType::ftInteger:
        return text.toLongLong();
    case TFieldType::ftFloat:
        return text.toDouble();
    case TFieldType::ftDate:
        return QDate::fromString(text, Qt::ISODate);
    case TFieldType::ftDateTime: {
        if (text.size() == 10)
            return QDate::fromString(text, Qt::ISODate).startOfDay();
        return QDateTime::fromString(QString(text).replace(10, 1, u'T'), Qt::ISODate);
    }
    default:
        return text;
    }
}

void defineColumns(TFileTable& table, const QStringList& header, const QList<QStringList>& records)
{
    for (qsizetype column = 0; column < header.size(); ++column) {
        TFieldDef def;
        def.name = header[column].trimmed();
        if (def.name.isEmpty())
            def.name = QStringLiteral("Field%1").arg(column + 1);
        std::optional<Guess> guess;
        int longest = 0;
        for (qsizetype row = 1; row < records.size(); ++row) {
            const QString value = records[row].value(column);
            if (value.isEmpty())
                continue;
            longest = std::max(longest, int(value.size()));
            guess = guess ? widen(*guess, guessOf(value)) : guessOf(value);
        }
        def.dataType = typeOf(guess.value_or(Guess::Text));
        if (def.dataType == TFieldType::ftString)
            def.size = std::max(longest, 1);
        table.defs.append(def);
    }
}

} // namespace

std::shared_ptr<TFileTable> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelError(QStringLiteral("Could not open %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = QString::fromLatin1(bytes); // an old file in the system code page
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<QStringList> records = splitRecords(text, separatorOf(text));
    auto table = std::make_shared<TFileTable>();
    if (records.isEmpty())
        return table;
    defineColumns(*table, records.first(), records);
    for (qsizetype row = 1; row < records.size(); ++row) {
        std::vector<QVariant> values;
        values.reserve(size_t(table->defs.size()));
        for (qsizetype column = 0; column < table->defs.size(); ++column)
            values.push_back(valueOf(records[row].value(column), table->defs[column].dataType));
        table->appendRow(std::move(values));
    }
    return table;
}

} // namespace filetables
