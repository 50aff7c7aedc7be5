// Reading CSV tables: the first line names the fields; a column whose values all read as
// integers, numbers, ISO dates or ISO date-times gets that type, else it holds text. An
// empty value is null.
//
// The file is decoded once and split in place: every field is a view of the decoded
// text (a quoted field is unescaped where it stands, which never makes it longer), so
// no text is copied until a value is made of it.
#include "data/file_table.h"

#include "core/error.h"
#include "data/value_conversion.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <optional>

namespace filetables {

namespace {

QString decodedText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = QString::fromLatin1(bytes); // an old file in the system code page
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

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

// The records of a text: every field of every record, in order, and where each record's
// fields end.
struct SplitText {
    std::vector<QStringView> fields;
    std::vector<size_t> recordEnds;

    size_t recordCount() const { return recordEnds.size(); }
    size_t recordBegin(size_t record) const { return record == 0 ? 0 : recordEnds[record - 1]; }
    size_t fieldCount(size_t record) const { return recordEnds[record] - recordBegin(record); }
    QStringView field(size_t record, size_t column) const
    {
        return column < fieldCount(record) ? fields[recordBegin(record) + column] : QStringView();
    }
};

bool isSpecial(QChar c, QChar separator)
{
    return c == separator || c == u'"' || c == u'\n' || c == u'\r';
}

// Splits the text into records of fields, honouring quotes ("" inside quotes is a quote)
// and line breaks inside quoted fields; a line with nothing on it is no record. Quotes
// open a quoted stretch only at the start of a field; after it closes, what follows
// belongs to the same field. The text is rewritten where quoted fields are unescaped.
SplitText splitRecords(QString& text, QChar separator)
{
    SplitText split;
    QChar* const data = text.data();
    const qsizetype size = text.size();
    // Room for fields of a few characters each, so that a large file is not copied as
    // the lists grow.
    split.fields.reserve(size_t(size / 4 + 1));
    split.recordEnds.reserve(size_t(size / 16 + 1));
    qsizetype fieldBegin = 0;
    qsizetype write = 0; // where the current field's next character goes; never past the reader
    size_t recordFirst = 0;
    bool quoted = false;
    bool fieldStarted = false;
    const auto endField = [&](qsizetype next) {
        split.fields.emplace_back(data + fieldBegin, write - fieldBegin);
        fieldBegin = write = next;
    };
    const auto endRecord = [&](qsizetype next) {
        if (fieldStarted || write > fieldBegin || split.fields.size() > recordFirst) {
            endField(next);
            split.recordEnds.push_back(split.fields.size());
        }
        fieldBegin = write = next;
        recordFirst = split.fields.size();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = data[i];
        if (quoted) {
            if (c != u'"') {
                data[write++] = c;
            } else if (i + 1 < size && data[i + 1] == u'"') {
                data[write++] = c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == u'"' && write == fieldBegin) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField(i + 1);
            fieldStarted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
                ++i;
            endRecord(i + 1);
        } else {
            // The character and the plain stretch after it, moved in one go when an
            // unescaped quote made the field shorter than the text it came from.
            qsizetype end = i + 1;
            while (end < size && !isSpecial(data[end], separator))
                ++end;
            if (write != i)
                std::copy(data + i, data + end, data + write);
            write += end - i;
            i = end - 1;
            fieldStarted = true;
        }
    }
    endRecord(size);
    return split;
}

enum class Guess { Integer, Float, Date, DateTime, Text };

// Digits with an optional minus sign, short enough that they always fit.
std::optional<qint64> plainInteger(QStringView value)
{
    const qsizetype start = value.startsWith(u'-') ? 1 : 0;
    const qsizetype digits = value.size() - start;
    if (digits < 1 || digits > 18)
        return std::nullopt;
    qint64 number = 0;
    for (qsizetype i = start; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c - u'0');
    }
    return start ? -number : number;
}

// Digits with an optional minus sign and one decimal point between digits, read with the
// standard library's exactly rounded conversion: the same number the general parse
// gives, without its detours.
std::optional<double> plainDecimal(QStringView value)
{
    constexpr qsizetype kLongest = 40;
    const qsizetype start = value.startsWith(u'-') ? 1 : 0;
    if (value.size() > kLongest || value.size() < start + 3)
        return std::nullopt;
    char buffer[kLongest];
    qsizetype point = -1;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c == u'.' && point < 0 && i > start && i + 1 < value.size())
            point = i;
        else if ((c < u'0' || c > u'9') && !(i == 0 && start))
            return std::nullopt;
        buffer[i] = char(c);
    }
    double number = 0;
    const char* end = buffer + value.size();
    const auto [stop, error] = std::from_chars(buffer, end, number);
    if (point < 0 || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// A value beginning with a letter is no number, date or date-time, unless it may spell
// an infinity or "not a number".
bool startsWithWord(QStringView value)
{
    const char16_t c = value.front().unicode();
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    return letter && c != u'i' && c != u'I' && c != u'n' && c != u'N';
}

// Every text counts as the first of these it reads as: an integer, a number, an ISO date,
// an ISO date-time, else text. The common shapes are recognised before the general parse.
Guess guessOf(QStringView value)
{
    if (plainInteger(value))
        return Guess::Integer;
    if (plainDecimal(value))
        return Guess::Float;
    if (value.size() == 10 && valueconversion::isoDate(value).isValid())
        return Guess::Date;
    if (startsWithWord(value))
        return Guess::Text;
    bool ok = false;
    value.toLongLong(&ok);
    if (ok)
        return Guess::Integer;
    value.toDouble(&ok);
    if (ok)
        return Guess::Float;
    if (value.size() == 10 && QDate::fromString(value.toString(), Qt::ISODate).isValid())
        return Guess::Date;
    if (value.size() > 10 && QDateTime::fromString(value.toString().replace(10, 1, u'T'), Qt::ISODate).isValid())
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

QVariant valueOf(QStringView text, TFieldType type)
{
    if (text.isEmpty())
        return {};
    switch (type) {
    case TFieldType::ftInteger:
        if (const std::optional<qint64> number = plainInteger(text))
            return *number;
        return text.toLongLong();
    case TFieldType::ftFloat:
        if (const std::optional<double> number = plainDecimal(text))
            return *number;
        return text.toDouble();
    case TFieldType::ftDate:
        if (const QDate date = valueconversion::isoDate(text); date.isValid() && text.size() == 10)
            return date;
        return QDate::fromString(text.toString(), Qt::ISODate);
    case TFieldType::ftDateTime: {
        if (text.size() == 10)
            return QDate::fromString(text.toString(), Qt::ISODate).startOfDay();
        return QDateTime::fromString(text.toString().replace(10, 1, u'T'), Qt::ISODate);
    }
    default:
        return text.toString();
    }
}

// Guesses the column's type from its values and stores them in that type: each value is
// read once as what it looks like, and read again only when the column's type is wider.
TFieldDef readColumn(TFileTable& table, const SplitText& split, size_t column, QStringView heading)
{
    TFieldDef def;
    def.name = heading.trimmed().toString();
    if (def.name.isEmpty())
        def.name = QStringLiteral("Field%1").arg(column + 1);
    const size_t columns = size_t(table.defs.size());
    const size_t rows = split.recordCount() - 1;
    std::vector<Guess> guesses(rows, Guess::Text);
    std::optional<Guess> guess;
    int longest = 0;
    for (size_t row = 0; row < rows; ++row) {
        const QStringView value = split.field(row + 1, column);
        if (value.isEmpty())
            continue;
        longest = std::max(longest, int(value.size()));
        guesses[row] = guessOf(value);
        guess = guess ? widen(*guess, guesses[row]) : guesses[row];
        table.values[row * columns + column] = valueOf(value, typeOf(guesses[row]));
    }
    def.dataType = typeOf(guess.value_or(Guess::Text));
    if (def.dataType == TFieldType::ftString)
        def.size = std::max(longest, 1);
    for (size_t row = 0; guess && row < rows; ++row) {
        const QStringView value = split.field(row + 1, column);
        if (!value.isEmpty() && guesses[row] != *guess)
            table.values[row * columns + column] = valueOf(value, def.dataType);
    }
    return def;
}

} // namespace

std::shared_ptr<TFileTable> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelError(QStringLiteral("Could not open %1: %2").arg(path, file.errorString()));
    QString text = decodedText(file.readAll());
    const SplitText split = splitRecords(text, separatorOf(text));
    auto table = std::make_shared<TFileTable>();
    if (split.recordCount() == 0)
        return table;
    const size_t columns = split.fieldCount(0);
    table->rowCount = int(split.recordCount() - 1);
    table->defs.resize(qsizetype(columns));
    table->values.resize(size_t(table->rowCount) * columns);
    for (size_t column = 0; column < columns; ++column)
        table->defs[qsizetype(column)] = readColumn(*table, split, column, split.field(0, column));
    return table;
}

} // namespace filetables
