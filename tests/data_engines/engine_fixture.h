// A fresh database on one server engine, reached by the datasets through the alias
// "Server" of an alias file that the program finds beside itself. The database holds
//   PEOPLE (ID primary key, NAME with the index BY_NAME, and one column of every kind)
//   GAPS   (the same columns; one record whose columns other than ID are all null)
#pragma once

#include "server_engines.h"

#include "core/component.h"
#include "support/test_support.h"

#include <QByteArray>
#include <QDate>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TDataSet;

namespace enginedata {

// One record of PEOPLE.
struct Person {
    qint64 id;
    QString name;
    int smallValue;
    qint64 largeValue;
    double rate;
    double amount; // NUMERIC(10,2)
    bool active;
    QDate born;
    QTime starts;
    QDateTime stamp;
    QString notes;
    QByteArray photo;
};

const std::vector<Person>& people();
const Person& personWithId(qint64 id);

// The columns of both tables, in table order.
const QStringList& columnNames();

} // namespace enginedata

class EngineTest : public ::testing::TestWithParam<serverengines::Engine> {
protected:
    void SetUp() override;
    void TearDown() override;

    serverengines::Engine engine() const { return GetParam(); }
    // The alias every dataset of the tests names as its DatabaseName.
    static QString alias() { return QStringLiteral("Server"); }
    // The IDs of the records from the current one to the end.
    static std::vector<qint64> remainingIds(TDataSet& dataSet);

    QTemporaryDir folder;
    std::unique_ptr<TComponent> root;

private:
    void fillTables();
    void writeAliasFile();

    serverengines::TestDatabase m_database;
};

// Readable test names: the engine's name.
std::string engineCaseName(const ::testing::TestParamInfo<serverengines::Engine>& info);

#define INSTANTIATE_FOR_ENGINES(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(serverengines::allEngines), engineCaseName)
