// CSV tables: quoting and line breaks, separators, encodings, and the type each column
// gets from its values, read through the table file reader.
#include "core/error.h"
#include "data/file_table.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CsvCase {
    const char* name;
    QByteArray text;
    QStringList fields;
    QList<TFieldType> types;
    QVariantList values; // record after record
};

// Whole numbers in the case table are written as int; the reader gives 64-bit integers.
bool sameValue(const QVariant& a, QVariant b)
{
    if (b.metaType().id() == QMetaType::Int)
        b = QVariant(b.toLongLong());
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.metaType() != b.metaType())
        return false;
    if (a.metaType().id() == QMetaType::Double)
        return a.toDouble() == b.toDouble() && std::signbit(a.toDouble()) == std::signbit(b.toDouble());
    return a == b;
}

const TFieldType I = TFieldType::ftInteger;
const TFieldType F = TFieldType::ftFloat;
const TFieldType S = TFieldType::ftString;
const TFieldType D = TFieldType::ftDate;
const TFieldType DT = TFieldType::ftDateTime;

QVariant text(const char* value)
{
    return QString::fromUtf8(value);
}

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

const CsvCase cases[] = {
    {"quotes, doubled quotes and line breaks inside quotes", "A,B\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",plain\r\n",
     {"A", "B"}, {S, S}, {text("x,y"), text("say \"hi\""), text("two\nlines"), text("plain")}},
    {"a quote opens only at the start of a field", "A,B\nab\"c,\"ab\"cd\n", {"A", "B"}, {S, S}, {text("ab\"c"), text("abcd")}},
    {"blank lines are no records; short records are padded, long ones cut", "A,B\r\n\r\n1\n\n2,3,4\n",
     {"A", "B"}, {I, I}, {1, QVariant(), 2, 3}},
    {"semicolons and tabs as separators", "A;B\n1;x\n", {"A", "B"}, {I, S}, {1, text("x")}},
    {"tab separated", "A\tB\n1.5\t2\n", {"A", "B"}, {F, I}, {1.5, 2}},
    {"headings are trimmed, empty ones numbered", " A ,,C\n1,2,3\n", {"A", "Field2", "C"}, {I, I, I}, {1, 2, 3}},
    {"integers and numbers make a number column", "N\n1\n-0\n2.25\n-0.5\n1e3\n", {"N"}, {F}, {1.0, -0.0, 2.25, -0.5, 1000.0}},
    {"long integers stay integers until they overflow", "A,B\n123456789012345678,-1234567890123456789\n1,12345678901234567890\n",
     {"A", "B"}, {I, F}, {qint64(123456789012345678), -1234567890123456789.0, 1, 12345678901234567890.0}},
    {"dates, date-times and both together", "D,T,M\n2020-01-02,2020-01-02 10:11:12,2020-01-02\n2021-12-31,2021-12-31T23:59:59,2021-12-31 08:00:00\n",
     {"D", "T", "M"}, {D, DT, DT},
     {QDate(2020, 1, 2), at(2020, 1, 2, 10, 11, 12), at(2020, 1, 2), QDate(2021, 12, 31), at(2021, 12, 31, 23, 59, 59),
      at(2021, 12, 31, 8)}},
    {"an impossible date or a mixed column is text", "D,M\n2020-02-30,12\n2020-01-02,abc\n", {"D", "M"}, {S, S},
     {text("2020-02-30"), text("12"), text("2020-01-02"), text("abc")}},
    {"empty values are null and leave the type alone", "A,B\n,\n7,\n", {"A", "B"}, {I, S}, {QVariant(), QVariant(), 7, QVariant()}},
    {"UTF-8 with a byte order mark, and Latin-1 files", "\xEF\xBB\xBFN\n\xC3\xBC\n", {"N"}, {S}, {text("\xC3\xBC")}},
    {"a file that is no UTF-8 is Latin-1", "N\n\xFC\n", {"N"}, {S}, {QString(QChar(0xFC))}},
    {"an overlong form is no UTF-8", "N\n\xC0\xAF\n", {"N"}, {S}, {QString::fromLatin1("\xC0\xAF")}},
    {"an encoded surrogate is no UTF-8", "N\n\xED\xA0\x80\n", {"N"}, {S}, {QString::fromLatin1("\xED\xA0\x80")}},
    {"a sequence cut by the end of the file is no UTF-8", "N\nab\xE2\x82", {"N"}, {S}, {QString::fromLatin1("ab\xE2\x82")}},
    {"four-byte characters are UTF-8", "N\n\xF0\x9F\x98\x80\n", {"N"}, {S}, {text("\xF0\x9F\x98\x80")}},
    {"words that spell numbers", "A,B\ninf,nan\n", {"A", "B"}, {F, F}, {qInf(), qQNaN()}},
};

// The table a CSV file of these bytes reads as.
std::shared_ptr<const TFileTable> readCsvBytes(const QByteArray& bytes)
{
    QTemporaryDir folder;
    EXPECT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("t.csv"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    return filetables::readCsv(path);
}

class CsvReader : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReader, FieldsTypesAndValues)
{
    const CsvCase& c = GetParam();
    const auto table = readCsvBytes(c.text);
    ASSERT_EQ(table->defs.size(), c.fields.size());
    for (qsizetype i = 0; i < c.fields.size(); ++i) {
        EXPECT_EQ(table->defs[i].name, c.fields[i]);
        EXPECT_EQ(table->defs[i].dataType, c.types[i]) << c.fields[i].toStdString();
    }
    ASSERT_EQ(table->values.size(), size_t(c.values.size()));
    for (qsizetype i = 0; i < c.values.size(); ++i) {
        const QVariant& got = table->values[size_t(i)];
        const QVariant& want = c.values[i];
        if (want.metaType().id() == QMetaType::Double && std::isnan(want.toDouble()))
            EXPECT_TRUE(std::isnan(got.toDouble())) << "value " << i;
        else
            EXPECT_TRUE(sameValue(got, want)) << "value " << i << ": " << got.toString().toStdString() << " ("
                                              << (got.typeName() ? got.typeName() : "null") << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvReader, ::testing::ValuesIn(cases), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(uchar(*c)) ? *c : '_';
    return name;
});

TEST(CsvReaderSizes, TextColumnsAreAsWideAsTheirLongestValue)
{
    const auto table = readCsvBytes("A,B\nabc,\n\"a\"\"b\"\"c\"\"d\",\n");
    ASSERT_EQ(table->defs.size(), 2);
    EXPECT_EQ(table->defs[0].size, 7);
    EXPECT_EQ(table->defs[1].size, 1);
    EXPECT_EQ(table->rowCount, 2);
    EXPECT_EQ(table->at(1, 0), QVariant(QStringLiteral("a\"b\"c\"d")));
}

TEST(CsvReaderSizes, WidthsCountCharactersNotBytes)
{
    const auto table = readCsvBytes("A\n\xC3\xBC\xC3\xBC\xC3\xBC\nab\n");
    ASSERT_EQ(table->defs.size(), 1);
    EXPECT_EQ(table->defs[0].size, 3);
}

// A long heading over many empty-ended lines would pad to billions of nulls: refused.
TEST(CsvReaderLargeFiles, PaddingBeyondWhatTheFileHoldsIsRefused)
{
    const QByteArray heading = QByteArray(20000, ',') + '\n';
    QByteArray lines;
    for (int i = 0; i < 20000; ++i)
        lines += "1\n";
    try {
        readCsvBytes(heading + lines);
        FAIL() << "the table was read";
    } catch (const EVelError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("20000 records of 20001 fields"))) << error.message().toStdString();
    }
    // The same heading over a few lines is an ordinary wide table.
    EXPECT_EQ(readCsvBytes(heading + "1\n2\n")->rowCount, 2);
}

// A file large enough to be read in stretches: what a late record says of a column's
// type holds for the records read before it, and every value lands in its own place.
TEST(CsvReaderLargeFiles, LateRecordsWidenEarlierOnes)
{
    constexpr int rows = 40000;
    QByteArray bytes = "N,D,T,K\n";
    for (int row = 0; row < rows; ++row) {
        const bool last = row == rows - 1;
        bytes += (last ? QByteArray("0.5") : QByteArray::number(row)) + ',';
        bytes += QDate(2000, 1, 1).addDays(row % 5000).toString(Qt::ISODate).toLatin1() + ',';
        bytes += (last ? QByteArray("late text") : QByteArray::number(-row)) + ',';
        bytes += QByteArray::number(row) + '\n';
    }
    const auto table = readCsvBytes(bytes);
    ASSERT_EQ(table->rowCount, rows);
    EXPECT_EQ(table->defs[0].dataType, F);
    EXPECT_EQ(table->defs[1].dataType, D);
    EXPECT_EQ(table->defs[2].dataType, S);
    EXPECT_EQ(table->defs[2].size, 9);
    EXPECT_EQ(table->defs[3].dataType, I);
    for (int row : {0, 1, rows / 2 - 1, rows / 2, rows / 2 + 1, rows - 2}) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(sameValue(table->at(row, 0), double(row)));
        EXPECT_TRUE(sameValue(table->at(row, 1), QDate(2000, 1, 1).addDays(row % 5000)));
        EXPECT_TRUE(sameValue(table->at(row, 2), QString::number(-row)));
        EXPECT_TRUE(sameValue(table->at(row, 3), row));
    }
    EXPECT_TRUE(sameValue(table->at(rows - 1, 0), 0.5));
    EXPECT_TRUE(sameValue(table->at(rows - 1, 2), text("late text")));
}

} // namespace
