// Running velmor-run as a user would, and reading back what it wrote.
#pragma once

#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace runnertest {

// VELMOR_RUNNER points the tests at another build of the runner (an older one, to see
// which faults it still has).
inline const QString kRunner = qEnvironmentVariable("VELMOR_RUNNER", QStringLiteral(VELMOR_BINARY_DIR "/cli/velmor-run"));
inline const QString kExamples = QStringLiteral(VELMOR_BINARY_DIR "/examples");

struct RunResult {
    int exitCode = -1; // -1 when the runner did not end by itself
    QByteArray out;
    QString err;
    QString outText() const { return QString::fromUtf8(out); }
};

// Runs the runner (or `program`) to its end; `environment` adds to (or, with an empty
// value, removes from) the test's own environment.
inline RunResult run(const QStringList& args, const QHash<QString, QString>& environment = {},
                     const QString& program = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.begin(); it != environment.end(); ++it) {
        if (it.value().isEmpty())
            env.remove(it.key());
        else
            env.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(env);
    process.start(program.isEmpty() ? kRunner : program, args);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

inline QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

inline QString example(const char* name)
{
    return kExamples + QLatin1Char('/') + QLatin1String(name);
}

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(kRunner)) << "velmor-run is not built";
        ASSERT_TRUE(QFile::exists(example("grouped_list.vtx"))) << "the example reports are not built";
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

// A list of the orders of one city from `database`, the city a query parameter.
void writeCityReport(const QString& fileName, const QString& database);

} // namespace runnertest
