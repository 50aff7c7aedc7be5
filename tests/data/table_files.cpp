#include "table_files.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

extern "C" {
#include <paradox.h>
}
#include <shapefil.h>

#include <gtest/gtest.h>

#include <cstring>

namespace tablefiles {

const std::vector<Customer>& customers()
{
    static const std::vector<Customer> list = {
        {1, QStringLiteral("Ann"), 10.5, QDate(2020, 1, 2)},
        {2, QStringLiteral("Bob"), QVariant(), QDate(2021, 3, 4)},
        {3, QStringLiteral("Cy"), -2.25, QDate()},
    };
    return list;
}

const std::vector<Order>& orders()
{
    static const std::vector<Order> list = {{100, 1, 5}, {101, 1, 7}, {102, 3, 9}};
    return list;
}

namespace {

void run(QSqlQuery& query, const QString& statement)
{
    ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
}

void fillSqlite(QSqlDatabase& db)
{
    QSqlQuery query(db);
    run(query, QStringLiteral("CREATE TABLE CUSTOMER (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), BALANCE FLOAT, JOINED DATE)"));
    run(query, QStringLiteral("CREATE TABLE EMPTY (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), BALANCE FLOAT, JOINED DATE)"));
    run(query, QStringLiteral("CREATE TABLE ORDERS (ORDERNO INTEGER PRIMARY KEY, CUSTID INTEGER, AMOUNT FLOAT)"));
    run(query, QStringLiteral("CREATE INDEX ByCust ON ORDERS (CUSTID)"));
    for (const Customer& c : customers()) {
        query.prepare(QStringLiteral("INSERT INTO CUSTOMER VALUES (?, ?, ?, ?)"));
        query.addBindValue(c.id);
        query.addBindValue(c.name);
        query.addBindValue(c.balance.isNull() ? QVariant(QMetaType::fromType<double>()) : c.balance);
        query.addBindValue(c.joined.isValid() ? QVariant(c.joined.toString(Qt::ISODate)) : QVariant(QMetaType::fromType<QString>()));
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
    for (const Order& o : orders()) {
        query.prepare(QStringLiteral("INSERT INTO ORDERS VALUES (?, ?, ?)"));
        query.addBindValue(o.orderNo);
        query.addBindValue(o.custId);
        query.addBindValue(o.amount);
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
}

// --- Paradox ---

struct PxColumn {
    const char* name;
    char type;
    int length;
};

pxdoc_t* createParadox(const QString& path, const std::vector<PxColumn>& columns)
{
    pxdoc_t* doc = PX_new();
    auto* fields = static_cast<pxfield_t*>(doc->malloc(doc, columns.size() * sizeof(pxfield_t), "fields"));
    for (size_t i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = PX_strdup(doc, columns[i].name);
        fields[i].px_ftype = columns[i].type;
        fields[i].px_flen = columns[i].length;
        fields[i].px_fdc = 0;
    }
    EXPECT_EQ(PX_create_file(doc, fields, int(columns.size()), QFile::encodeName(path).constData(), pxfFileTypNonIndexDB), 0);
    return doc;
}

// A record is written field by field into a zeroed buffer; a field left out stays all
// zero bytes, which is how Paradox stores a null.
struct PxCell {
    enum Kind { Null, Long, Double, Text, Date } kind = Null;
    long number = 0;
    double real = 0;
    QByteArray text;
};

void insertParadox(pxdoc_t* doc, const std::vector<PxCell>& cells)
{
    QByteArray record(PX_get_recordsize(doc), '\0');
    pxfield_t* fields = PX_get_fields(doc);
    int offset = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        char* at = record.data() + offset;
        const int length = fields[i].px_flen;
        switch (cells[i].kind) {
        case PxCell::Long:
            PX_put_data_long(doc, at, length, int(cells[i].number));
            break;
        case PxCell::Date:
            PX_put_data_long(doc, at, length, int(cells[i].number));
            break;
        case PxCell::Double:
            PX_put_data_double(doc, at, length, cells[i].real);
            break;
        case PxCell::Text:
            PX_put_data_alpha(doc, at, length, const_cast<char*>(cells[i].text.constData()));
            break;
        case PxCell::Null:
            break;
        }
        offset += length;
    }
    EXPECT_GE(PX_put_record(doc, record.data()), 0);
}

PxCell pxLong(long n)
{
    return {PxCell::Long, n, 0, {}};
}

PxCell pxDouble(const QVariant& d)
{
    return d.isNull() ? PxCell{} : PxCell{PxCell::Double, 0, d.toDouble(), {}};
}

PxCell pxText(const QByteArray& text)
{
    return {PxCell::Text, 0, 0, text};
}

PxCell pxDate(const QDate& date)
{
    // Days from 1 January of year 1, as Paradox counts them.
    return date.isValid() ? PxCell{PxCell::Date, long(date.toJulianDay() - QDate(1, 1, 1).toJulianDay() + 1), 0, {}} : PxCell{};
}

void writeParadoxCustomers(const QString& path, bool withRows)
{
    pxdoc_t* doc = createParadox(path, {{"ID", pxfLong, 4}, {"NAME", pxfAlpha, 20}, {"BALANCE", pxfNumber, 8}, {"JOINED", pxfDate, 4}});
    if (withRows) {
        for (const Customer& c : customers())
            insertParadox(doc, {pxLong(long(c.id)), pxText(c.name.toLatin1()), pxDouble(c.balance), pxDate(c.joined)});
    }
    PX_close(doc);
    PX_delete(doc);
}

// --- dBase ---

void writeDbaseCustomers(const QString& path, bool withRows)
{
    DBFHandle dbf = DBFCreate(QFile::encodeName(path).constData());
    ASSERT_NE(dbf, nullptr);
    DBFAddField(dbf, "ID", FTInteger, 9, 0);
    DBFAddField(dbf, "NAME", FTString, 20, 0);
    DBFAddField(dbf, "BALANCE", FTDouble, 12, 2);
    DBFAddNativeFieldType(dbf, "JOINED", 'D', 8, 0);
    if (withRows) {
        int row = 0;
        for (const Customer& c : customers()) {
            DBFWriteIntegerAttribute(dbf, row, 0, int(c.id));
            DBFWriteStringAttribute(dbf, row, 1, c.name.toLatin1().constData());
            if (c.balance.isNull())
                DBFWriteNULLAttribute(dbf, row, 2);
            else
                DBFWriteDoubleAttribute(dbf, row, 2, c.balance.toDouble());
            if (c.joined.isValid())
            {
                QByteArray date = c.joined.toString(QStringLiteral("yyyyMMdd")).toLatin1();
                DBFWriteAttributeDirectly(dbf, row, 3, date.data());
            }
            else
                DBFWriteNULLAttribute(dbf, row, 3);
            ++row;
        }
    }
    DBFClose(dbf);
}

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

void writeSqlite(const QString& path)
{
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tablefiles"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        fillSqlite(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tablefiles"));
}

void writeParadox(const QString& directory)
{
    QDir().mkpath(directory);
    writeParadoxCustomers(QDir(directory).filePath(QStringLiteral("customer.db")), true);
    writeParadoxCustomers(QDir(directory).filePath(QStringLiteral("empty.db")), false);
    pxdoc_t* doc = createParadox(QDir(directory).filePath(QStringLiteral("orders.db")),
                                 {{"ORDERNO", pxfLong, 4}, {"CUSTID", pxfLong, 4}, {"AMOUNT", pxfNumber, 8}});
    for (const Order& o : orders())
        insertParadox(doc, {pxLong(long(o.orderNo)), pxLong(long(o.custId)), pxDouble(o.amount)});
    PX_close(doc);
    PX_delete(doc);
}

void writeDbase(const QString& directory)
{
    QDir().mkpath(directory);
    writeDbaseCustomers(QDir(directory).filePath(QStringLiteral("customer.dbf")), true);
    writeDbaseCustomers(QDir(directory).filePath(QStringLiteral("empty.dbf")), false);
    DBFHandle dbf = DBFCreate(QFile::encodeName(QDir(directory).filePath(QStringLiteral("orders.dbf"))).constData());
    DBFAddField(dbf, "ORDERNO", FTInteger, 9, 0);
    DBFAddField(dbf, "CUSTID", FTInteger, 9, 0);
    DBFAddField(dbf, "AMOUNT", FTDouble, 12, 2);
    int row = 0;
    for (const Order& o : orders()) {
        DBFWriteIntegerAttribute(dbf, row, 0, int(o.orderNo));
        DBFWriteIntegerAttribute(dbf, row, 1, int(o.custId));
        DBFWriteDoubleAttribute(dbf, row, 2, o.amount);
        ++row;
    }
    DBFClose(dbf);
}

void writeCsv(const QString& directory)
{
    QDir().mkpath(directory);
    writeText(QDir(directory).filePath(QStringLiteral("customer.csv")),
              "ID,NAME,BALANCE,JOINED\r\n1,Ann,10.5,2020-01-02\r\n2,\"Bob\",,2021-03-04\r\n3,Cy,-2.25,\r\n");
    writeText(QDir(directory).filePath(QStringLiteral("empty.csv")), "ID,NAME,BALANCE,JOINED\n");
    writeText(QDir(directory).filePath(QStringLiteral("orders.csv")), "ORDERNO,CUSTID,AMOUNT\n100,1,5\n101,1,7\n102,3,9\n");
}

} // namespace tablefiles
