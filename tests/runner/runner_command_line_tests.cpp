// velmor-run's command line: options in any order and combination that makes sense,
// help and version anywhere, and every contradiction refused with status 2 before
// anything is written.
#include "runner_support.h"

#include <QDir>
#include <QFileInfo>

using namespace runnertest;

TEST_F(RunnerTest, OptionsWorkInAnyOrder)
{
    const QString report = example("loop_strings.vtx");
    struct Case {
        QStringList args;
        QString written;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--quiet"), QStringLiteral("--save"), path("a.vtx"), report}, path("a.vtx")},
        {{QStringLiteral("--save"), path("b.vrp"), report, QStringLiteral("--quiet")}, path("b.vrp")},
        {{report, QStringLiteral("--pdf"), path("c.pdf"), QStringLiteral("--quiet")}, path("c.pdf")},
        {{QStringLiteral("--export"), QStringLiteral("csv"), path("d.csv"), QStringLiteral("--quiet"), report}, path("d.csv")},
        {{QStringLiteral("--png"), path("png"), report, QStringLiteral("--dpi"), QStringLiteral("20")}, path("png/page-001.png")},
    };
    for (const Case& c : cases) {
        const RunResult result = run(c.args);
        EXPECT_EQ(result.exitCode, 0) << c.args.join(QLatin1Char(' ')).toStdString() << "\n" << result.err.toStdString();
        EXPECT_GT(QFileInfo(c.written).size(), 0) << c.written.toStdString();
    }
    EXPECT_TRUE(testsupport::readFile(path("a.vtx")).startsWith("Velmor File 4"));
    EXPECT_TRUE(testsupport::readFile(path("b.vrp")).startsWith("Velmor File 4"));
}

TEST_F(RunnerTest, HelpAndVersionAnswerFromAnyPlace)
{
    for (const QStringList& args : {QStringList{QStringLiteral("--help")},
                                    QStringList{QStringLiteral("--pdf"), path("a.pdf"), QStringLiteral("--help")}}) {
        const RunResult result = run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        for (const char* option : {"--pdf", "--png", "--rpp", "--export", "--print", "--param", "--quiet", "--save",
                                   "--run-script", "--version"})
            EXPECT_TRUE(result.outText().contains(QLatin1String(option))) << option;
    }
    const RunResult version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.outText().trimmed(), QStringLiteral("velmor-run 0.1.0"));
    EXPECT_FALSE(QFile::exists(path("a.pdf")));
}

TEST_F(RunnerTest, ContradictoryOrExtraArgumentsAreRefused)
{
    const QString report = path("report.vtx");
    ASSERT_TRUE(QFile::copy(example("loop_strings.vtx"), report));
    const QString prepared = path("pages.rpp");
    ASSERT_EQ(run({QStringLiteral("--rpp"), prepared, report}).exitCode, 0);
    const QByteArray reportBytes = testsupport::readFile(report);
    const QByteArray preparedBytes = testsupport::readFile(prepared);
    ASSERT_TRUE(testsupport::writeFile(path("s.vbs"), "showmessage \"hi\""));

    struct Case {
        QStringList args;
        const char* message;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--save"), path("a.vtx"), report, QStringLiteral("--bogus")}, "bogus"},
        {{QStringLiteral("--save"), path("a.vtx"), report, prepared}, "one file at a time"},
        {{QStringLiteral("--save"), path("a.vtx"), QStringLiteral("--save"), path("b.vtx"), report}, "more than once"},
        {{QStringLiteral("--pdf"), path("a.pdf"), QStringLiteral("--pdf"), path("b.pdf"), report}, "more than once"},
        {{QStringLiteral("--save"), path("a.vtx"), QStringLiteral("--pdf"), path("a.pdf"), report}, "does not go with"},
        {{QStringLiteral("--run-script"), path("s.vbs"), report}, "run-script"},
        {{QStringLiteral("--run-script"), path("s.vbs"), QStringLiteral("--save"), path("a.vtx"), report}, "does not go with"},
        {{QStringLiteral("--param"), QStringLiteral("A=1"), QStringLiteral("--save"), path("a.vtx"), report}, "--param"},
        {{QStringLiteral("--pdf"), QString(), report}, "empty"},
        {{QStringLiteral("--pdf"), QStringLiteral("-"), QStringLiteral("--rpp"), QStringLiteral("-"), report}, "standard output"},
        {{QStringLiteral("--pdf"), path("x.out"), QStringLiteral("--rpp"), path("x.out"), report}, "two outputs"},
        {{QStringLiteral("--dpi"), QStringLiteral("50"), QStringLiteral("--pdf"), path("a.pdf"), report}, "--dpi"},
        {{QStringLiteral("--export"), QStringLiteral("csv"), report}, "no report file given"},
        {{QStringLiteral("--pdf"), report, report}, "report file itself"},
        {{QStringLiteral("--export"), QStringLiteral("txt"), path("./report.vtx"), report}, "report file itself"},
        {{QStringLiteral("--compress"), QStringLiteral("--rpp"), prepared, prepared}, "report file itself"},
    };
    for (const Case& c : cases) {
        const RunResult result = run(c.args);
        const std::string shown = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(result.exitCode, 2) << shown << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << shown << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QLatin1String("Usage:"))) << shown;
        EXPECT_TRUE(result.out.isEmpty()) << shown;
    }
    EXPECT_EQ(testsupport::readFile(report), reportBytes);
    EXPECT_EQ(testsupport::readFile(prepared), preparedBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "nothing else was written";
}
