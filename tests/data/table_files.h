// Table files the tests make for themselves, one writer per engine. Every writer makes
// the same customers table so that one test can run against each kind of file.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <vector>

namespace tablefiles {

struct Customer {
    qint64 id;
    QString name;
    QVariant balance; // double, or null
    QDate joined;     // invalid = null
};

// Three customers: (1 "Ann" 10.5 2020-01-02), (2 "Bob" null 2021-03-04), (3 "Cy" -2.25 null)
const std::vector<Customer>& customers();

// Orders: (ORDERNO, CUSTID, AMOUNT): 100/1/5, 101/1/7, 102/3/9
struct Order {
    qint64 orderNo;
    qint64 custId;
    double amount;
};
const std::vector<Order>& orders();

// CUSTOMER with ID, NAME, BALANCE, JOINED; ORDERS with ORDERNO, CUSTID, AMOUNT and an
// index ByCust on CUSTID; EMPTY with the customer columns and no rows.
void writeSqlite(const QString& path);
// customer.db and orders.db (Paradox), or .dbf (dBase), or .csv, in a directory;
// empty.<ext> with the customer columns and no rows.
void writeParadox(const QString& directory);
void writeDbase(const QString& directory);
void writeCsv(const QString& directory);

} // namespace tablefiles
