// Runs every case of data/*.txt: a few lines of script and the lines it must print.
//
// Case format:
//   === name of the case
//   script lines (Print x appends a line of output)
//   --- output
//   expected lines; a failing script ends its output with
//   ! <number> <description> @<line>:<column>
#include "script_console.h"

#include "scripting/vbscript/engine.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct ScriptCase {
    std::string name;
    QString file;
    int fileLine = 0;
    QString script;
    QStringList expected;
};

std::vector<ScriptCase> loadCases()
{
    std::vector<ScriptCase> cases;
    const QDir dir(QStringLiteral(VELMOR_TEST_DATA_DIR));
    for (const QString& fileName : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        ScriptCase* current = nullptr;
        bool inOutput = false;
        QStringList script;
        auto finish = [&] {
            if (current) {
                current->script = script.join(QLatin1Char('\n'));
                while (!current->expected.isEmpty() && current->expected.last().isEmpty())
                    current->expected.removeLast();
            }
            script.clear();
        };
        for (int i = 0; i < lines.size(); ++i) {
            QString line = lines.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.startsWith(QLatin1String("=== "))) {
                finish();
                ScriptCase next;
                const QString area = QFileInfo(fileName).baseName();
                QString name = area + QLatin1Char('_') + line.mid(4).trimmed();
                name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
                next.name = name.toStdString();
                next.file = fileName;
                next.fileLine = i + 1;
                cases.push_back(next);
                current = &cases.back();
                inOutput = false;
                continue;
            }
            if (!current)
                continue;
            if (line == QLatin1String("--- output")) {
                inOutput = true;
                continue;
            }
            if (inOutput)
                current->expected << line;
            else
                script << line;
        }
        finish();
    }
    return cases;
}

QStringList runCase(const ScriptCase& scriptCase)
{
    auto console = std::make_shared<ScriptConsole>();
    vbs::Engine engine;
    engine.addNamedObject(QStringLiteral("Console"), console, true);
    engine.setStepLimit(5'000'000);
    if (!engine.parse(scriptCase.script) && engine.lastError()) {
        const vbs::ScriptError& error = *engine.lastError();
        console->lines << QStringLiteral("! %1 %2 @%3:%4").arg(error.number).arg(error.description).arg(error.line).arg(error.column);
    }
    return console->lines;
}

class Conformance : public testing::TestWithParam<ScriptCase> {};

TEST_P(Conformance, PrintsExpectedOutput)
{
    const ScriptCase& scriptCase = GetParam();
    const QStringList actual = runCase(scriptCase);
    EXPECT_EQ(actual.join(QLatin1Char('\n')).toStdString(), scriptCase.expected.join(QLatin1Char('\n')).toStdString())
        << "case at " << scriptCase.file.toStdString() << ":" << scriptCase.fileLine;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Conformance, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return info.param.name; });

} // namespace
