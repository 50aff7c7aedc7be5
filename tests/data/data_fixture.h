// A temporary folder holding the tables of every engine, and a document root owning the
// datasets a test makes.
#pragma once

#include "table_files.h"

#include "core/component.h"
#include "data/data_notices.h"
#include "data/local_database.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

enum class Engine { Sqlite, Paradox, Dbase, Csv };

inline const char* engineName(Engine engine)
{
    switch (engine) {
    case Engine::Sqlite:
        return "Sqlite";
    case Engine::Paradox:
        return "Paradox";
    case Engine::Dbase:
        return "Dbase";
    default:
        return "Csv";
    }
}

class DataFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        root = std::make_unique<TComponent>();
        root->setName(QStringLiteral("Report"));
        datanotices::setMessageDisplay([this](const QString& m) { messages.append(m); });
        datanotices::setExceptionDisplay([this](const QString& m) { exceptions.append(m); });
    }

    void TearDown() override
    {
        root.reset();
        localdatabases::closeAll();
        datanotices::setMessageDisplay({});
        datanotices::setExceptionDisplay({});
    }

    // The DatabaseName under which the engine's tables are found.
    QString makeDatabase(Engine engine)
    {
        const QString dir = folder.filePath(QString::fromLatin1(engineName(engine)));
        switch (engine) {
        case Engine::Sqlite:
            tablefiles::writeSqlite(folder.filePath(QStringLiteral("test.sqlite")));
            return folder.filePath(QStringLiteral("test.sqlite"));
        case Engine::Paradox:
            tablefiles::writeParadox(dir);
            break;
        case Engine::Dbase:
            tablefiles::writeDbase(dir);
            break;
        case Engine::Csv:
            tablefiles::writeCsv(dir);
            break;
        }
        return dir;
    }

    QTemporaryDir folder;
    std::unique_ptr<TComponent> root;
    QStringList messages;
    QStringList exceptions;
};
