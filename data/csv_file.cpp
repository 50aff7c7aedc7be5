// Reading CSV tables: the first line names the fields; a column whose values all read as
// integers, numbers, ISO dates or ISO date-times gets that type, else it holds text. An
// empty value is null.
//
// The file's bytes are split in place: every field is a view of the bytes (a quoted field
// is unescaped where it stands, which never makes it longer), and only text values are
// decoded, as UTF-8, or as Latin-1 when the file is no valid UTF-8. Separators, quotes and
// line breaks are ASCII, so they can be found in the bytes of either encoding. Large
// files are converted by several threads, each taking a stretch of records.
#include "data/file_table.h"

#include "core/error.h"
#include "data/value_conversion.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <exception>
#include <optional>
#include <thread>

namespace filetables {

namespace {

struct Span {
    const char* data = nullptr;
    qsizetype size = 0;

    bool isEmpty() const { return size == 0; }
    QByteArrayView bytes() const { return {data, size}; }
};

// Whether the bytes are well-formed UTF-8: no stray continuation bytes, no overlong forms,
// no surrogates, nothing past U+10FFFF. Runs of ASCII are skipped a word at a time.
bool isUtf8(const char* text, qsizetype size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    qsizetype i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            quint64 word;
            std::memcpy(&word, bytes + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the first continuation byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > size || bytes[i + 1] < low || bytes[i + 1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

char separatorOf(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\n');
    const QByteArrayView header = end < 0 ? text : text.first(end);
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    if (count(';') > count(',') && count(';') >= count('\t'))
        return ';';
    if (count('\t') > count(','))
        return '\t';
    return ',';
}

// The records of a text: every field of every record, in order, and where each record's
// fields end.
struct SplitText {
    std::vector<Span> fields;
    std::vector<size_t> recordEnds;

    size_t recordCount() const { return recordEnds.size(); }
    size_t recordBegin(size_t record) const { return record == 0 ? 0 : recordEnds[record - 1]; }
    size_t fieldCount(size_t record) const { return recordEnds[record] - recordBegin(record); }
    Span field(size_t record, size_t column) const
    {
        return column < fieldCount(record) ? fields[recordBegin(record) + column] : Span();
    }
};

bool isSpecial(char c, char separator)
{
    return c == separator || c == '"' || c == '\n' || c == '\r';
}

// Splits the text into records of fields, honouring quotes ("" inside quotes is a quote)
// and line breaks inside quoted fields; a line with nothing on it is no record. Quotes
// open a quoted stretch only at the start of a field; after it closes, what follows
// belongs to the same field. The text is rewritten where quoted fields are unescaped.
SplitText splitRecords(char* const data, const qsizetype size, char separator)
{
    SplitText split;
    // Every field ends at a separator or a line break (or the end), so counting them gives
    // room enough for all fields, and a large file is not copied as the lists grow.
    const auto lineBreaks = size_t(std::count(data, data + size, '\n'));
    split.fields.reserve(size_t(std::count(data, data + size, separator)) + lineBreaks + 1);
    split.recordEnds.reserve(lineBreaks + 1);
    qsizetype fieldBegin = 0;
    qsizetype write = 0; // where the current field's next character goes; never past the reader
    size_t recordFirst = 0;
    bool quoted = false;
    bool fieldStarted = false;
    const auto endField = [&](qsizetype next) {
        split.fields.push_back({data + fieldBegin, write - fieldBegin});
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
        const char c = data[i];
        if (quoted) {
            if (c != '"') {
                data[write++] = c;
            } else if (i + 1 < size && data[i + 1] == '"') {
                data[write++] = c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && write == fieldBegin) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField(i + 1);
            fieldStarted = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
                ++i;
            endRecord(i + 1);
        } else {
            // The character and the plain stretch after it, moved in one go when an
            // unescaped quote made the field shorter than the text it came from.
            qsizetype end = i + 1;
            while (end < size && !isSpecial(data[end], separator))
                ++end;
            if (write != i)
                std::memmove(data + write, data + i, size_t(end - i));
            write += end - i;
            i = end - 1;
            fieldStarted = true;
        }
    }
    endRecord(size);
    return split;
}

enum class Guess : unsigned char { Integer, Float, Date, DateTime, Text };

// Digits with an optional minus sign, short enough that they always fit.
std::optional<qint64> plainInteger(Span value)
{
    const qsizetype start = value.data[0] == '-' ? 1 : 0;
    const qsizetype digits = value.size - start;
    if (digits < 1 || digits > 18)
        return std::nullopt;
    qint64 number = 0;
    for (qsizetype i = start; i < value.size; ++i) {
        const char c = value.data[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return start ? -number : number;
}

// Digits with an optional minus sign and one decimal point between digits, read with the
// standard library's exactly rounded conversion: the same number the general parse
// gives, without its detours.
std::optional<double> plainDecimal(Span value)
{
    const qsizetype start = value.data[0] == '-' ? 1 : 0;
    if (value.size < start + 3)
        return std::nullopt;
    qsizetype point = -1;
    for (qsizetype i = start; i < value.size; ++i) {
        const char c = value.data[i];
        if (c == '.' && point < 0 && i > start && i + 1 < value.size)
            point = i;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    double number = 0;
    const char* end = value.data + value.size;
    const auto [stop, error] = std::from_chars(value.data, end, number);
    if (point < 0 || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// A value beginning with a letter is no number, date or date-time, unless it may spell
// an infinity or "not a number".
bool startsWithWord(Span value)
{
    const char c = value.data[0];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return letter && c != 'i' && c != 'I' && c != 'n' && c != 'N';
}

bool isAscii(Span value)
{
    return std::all_of(value.data, value.data + value.size, [](char c) { return uchar(c) < 0x80; });
}

QString dateTimeText(const QString& text)
{
    QString iso = text;
    iso[10] = u'T';
    return iso;
}

// How values become text: decoded as the whole file is.
struct Decoder {
    bool utf8 = true;

    QString text(Span value) const
    {
        return utf8 ? QString::fromUtf8(value.data, value.size) : QString::fromLatin1(value.data, value.size);
    }
};

// A value read as the first of these it looks like: an integer, a number, an ISO date, an
// ISO date-time, else text. The common shapes are recognised before the general parse.
struct Reading {
    Guess guess = Guess::Text;
    QVariant value;
};

Reading readValue(Span value, const Decoder& decoder)
{
    if (const std::optional<qint64> number = plainInteger(value))
        return {Guess::Integer, *number};
    if (const std::optional<double> number = plainDecimal(value))
        return {Guess::Float, *number};
    if (value.size == 10) {
        if (const QDate date = valueconversion::isoDate(value.bytes()); date.isValid())
            return {Guess::Date, date};
    }
    if (startsWithWord(value) || !isAscii(value))
        return {Guess::Text, decoder.text(value)};
    const QString text = QString::fromLatin1(value.data, value.size);
    bool ok = false;
    if (const qint64 number = text.toLongLong(&ok); ok)
        return {Guess::Integer, number};
    if (const double number = text.toDouble(&ok); ok)
        return {Guess::Float, number};
    if (text.size() == 10) {
        if (const QDate date = QDate::fromString(text, Qt::ISODate); date.isValid())
            return {Guess::Date, date};
    }
    if (text.size() > 10) {
        if (const QDateTime stamp = QDateTime::fromString(dateTimeText(text), Qt::ISODate); stamp.isValid())
            return {Guess::DateTime, stamp};
    }
    return {Guess::Text, text};
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

// A value read as one guess, stored as the wider guess its column got: a whole number as
// a number (read from its text, which keeps the sign of "-0"), a date as the start of its
// day, anything as its text.
QVariant widened(const QVariant& value, Guess column, Span text, const Decoder& decoder)
{
    switch (column) {
    case Guess::Float:
        return QString::fromLatin1(text.data, text.size).toDouble();
    case Guess::DateTime:
        return value.toDate().startOfDay();
    default:
        return decoder.text(text);
    }
}

// What the records of one stretch say of each column.
struct ColumnSummary {
    std::optional<Guess> guess;
    int longest = 0;

    void add(const Reading& reading, Span text)
    {
        guess = guess ? widen(*guess, reading.guess) : reading.guess;
        // Text is measured in characters; every other guess is ASCII, one byte a character.
        const int length = reading.guess == Guess::Text
                               ? int(static_cast<const QString*>(reading.value.constData())->size())
                               : int(text.size);
        longest = std::max(longest, length);
    }
    void add(const ColumnSummary& other)
    {
        if (other.guess)
            guess = guess ? widen(*guess, *other.guess) : other.guess;
        longest = std::max(longest, other.longest);
    }
};

// Runs `work(firstRow, endRow, stretch)` over the rows, on several threads when there are
// enough values to be worth them. An exception thrown by any stretch is raised here.
template <class Work>
void forEachStretch(size_t rows, size_t columns, size_t stretches, Work work)
{
    if (stretches <= 1 || rows * columns < 20000) {
        work(size_t(0), rows, size_t(0));
        return;
    }
    std::vector<std::exception_ptr> failures(stretches);
    std::vector<std::thread> threads;
    const size_t length = (rows + stretches - 1) / stretches;
    for (size_t s = 1; s < stretches; ++s) {
        threads.emplace_back([&, s] {
            try {
                work(std::min(rows, s * length), std::min(rows, (s + 1) * length), s);
            } catch (...) {
                failures[s] = std::current_exception();
            }
        });
    }
    try {
        work(size_t(0), std::min(rows, length), size_t(0));
    } catch (...) {
        failures[0] = std::current_exception();
    }
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

size_t stretchCount()
{
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
}

// Reads every value as what it looks like, then stores those whose column got a wider
// type again as that type.
void readValues(TFileTable& table, const SplitText& split, const Decoder& decoder)
{
    const size_t columns = size_t(table.defs.size());
    const size_t rows = size_t(table.rowCount);
    const size_t stretches = stretchCount();
    std::vector<Guess> guesses(rows * columns, Guess::Text);
    std::vector<std::vector<ColumnSummary>> summaries(stretches, std::vector<ColumnSummary>(columns));
    forEachStretch(rows, columns, stretches, [&](size_t first, size_t end, size_t stretch) {
        std::vector<ColumnSummary>& summary = summaries[stretch];
        for (size_t row = first; row < end; ++row) {
            for (size_t column = 0; column < columns; ++column) {
                const Span text = split.field(row + 1, column);
                if (text.isEmpty())
                    continue;
                Reading reading = readValue(text, decoder);
                summary[column].add(reading, text);
                guesses[row * columns + column] = reading.guess;
                table.values[row * columns + column] = std::move(reading.value);
            }
        }
    });
    std::vector<ColumnSummary> total(columns);
    for (const std::vector<ColumnSummary>& summary : summaries) {
        for (size_t column = 0; column < columns; ++column)
            total[column].add(summary[column]);
    }
    for (size_t column = 0; column < columns; ++column) {
        TFieldDef& def = table.defs[qsizetype(column)];
        def.dataType = typeOf(total[column].guess.value_or(Guess::Text));
        if (def.dataType == TFieldType::ftString)
            def.size = std::max(total[column].longest, 1);
    }
    forEachStretch(rows, columns, stretches, [&](size_t first, size_t end, size_t) {
        for (size_t row = first; row < end; ++row) {
            for (size_t column = 0; column < columns; ++column) {
                const size_t at = row * columns + column;
                const std::optional<Guess> columnGuess = total[column].guess;
                if (columnGuess && !table.values[at].isNull() && guesses[at] != *columnGuess)
                    table.values[at] = widened(table.values[at], *columnGuess, split.field(row + 1, column), decoder);
            }
        }
    });
}

// Short records are padded with nulls up to the heading's fields; a file of a long heading
// and many short lines would thus ask for far more values than its bytes could hold (and
// memory than the machine has). Such a file is refused rather than read.
void checkPaddingFits(const QString& path, size_t records, size_t columns, qsizetype bytes)
{
    constexpr size_t kValuesAlwaysAllowed = 1 << 20;
    const size_t values = records * columns;
    if (values > kValuesAlwaysAllowed && values / 8 > size_t(bytes))
        throw EVelError(QStringLiteral("%1: %2 records of %3 fields are more values than the file holds")
                            .arg(path)
                            .arg(records)
                            .arg(columns));
}

} // namespace

std::shared_ptr<TFileTable> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelError(QStringLiteral("Could not open %1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    Decoder decoder;
    decoder.utf8 = isUtf8(bytes.constData(), bytes.size());
    const qsizetype start = decoder.utf8 && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    char* const text = bytes.data() + start;
    const qsizetype size = bytes.size() - start;
    const SplitText split = splitRecords(text, size, separatorOf(QByteArrayView(text, size)));
    auto table = std::make_shared<TFileTable>();
    if (split.recordCount() == 0)
        return table;
    const size_t columns = split.fieldCount(0);
    checkPaddingFits(path, split.recordCount() - 1, columns, size);
    table->rowCount = int(split.recordCount() - 1);
    table->defs.resize(qsizetype(columns));
    for (size_t column = 0; column < columns; ++column) {
        TFieldDef& def = table->defs[qsizetype(column)];
        def.name = decoder.text(split.field(0, column)).trimmed();
        if (def.name.isEmpty())
            def.name = QStringLiteral("Field%1").arg(column + 1);
    }
    table->values.resize(size_t(table->rowCount) * columns);
    readValues(*table, split, decoder);
    return table;
}

} // namespace filetables
