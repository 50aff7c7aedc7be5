// What velmor-run promises about its files: a failed write (a full disk) leaves every old
// file and backup as it was and names the cause with status 1; devices, FIFOs and
// standard output are written in place, never replaced; a run that cannot produce what
// was asked does not end as a success; a killed run leaves no temporary files behind.
#include "runner_support.h"

#include "document/class_registration.h"
#include "document/vel_design.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

#include <csignal>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>

using namespace runnertest;

namespace {

// Every file under a folder with its contents, to compare before and after a run.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(QDir(folder).relativeFilePath(file), QFileInfo(file).isDir() ? QByteArray("<folder>") : testsupport::readFile(file));
    }
    return files;
}

mode_t fileType(const QString& fileName)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(fileName).constData(), &status) != 0)
        return 0;
    return status.st_mode & S_IFMT;
}

const QHash<QString, QString> kFullDiskAtFirstWrite{{QStringLiteral("VELMOR_TEST_FAILING_WRITE"), QStringLiteral("1")}};

} // namespace

TEST_F(RunnerTest, AFullDiskKeepsEveryOldFileAndNamesTheCause)
{
    const QString report = example("grouped_list.vtx");
    const QString prepared = path("in/pages.rpp");
    ASSERT_TRUE(QDir().mkpath(path("in")));
    ASSERT_EQ(run({QStringLiteral("--rpp"), prepared, example("loop_strings.vtx")}).exitCode, 0);

    struct Case {
        QStringList args;
        QStringList oldFiles; // made before the run, relative to the output folder
    };
    const QString out = path("out");
    auto at = [&out](const char* name) { return out + QLatin1Char('/') + QLatin1String(name); };
    const QList<Case> cases = {
        {{QStringLiteral("--pdf"), at("r.pdf"), report}, {QStringLiteral("r.pdf")}},
        {{QStringLiteral("--rpp"), at("r.rpp"), report}, {QStringLiteral("r.rpp")}},
        {{QStringLiteral("--compress"), QStringLiteral("--rpp"), at("r.rpp"), prepared}, {QStringLiteral("r.rpp")}},
        {{QStringLiteral("--pdf"), at("r.pdf"), prepared}, {QStringLiteral("r.pdf")}},
        {{QStringLiteral("--export"), QStringLiteral("csv"), at("r.csv"), report}, {QStringLiteral("r.csv")}},
        {{QStringLiteral("--export"), QStringLiteral("html"), at("r.htm"), report}, {QStringLiteral("r.htm")}},
        {{QStringLiteral("--export"), QStringLiteral("txt"), at("r.txt"), report}, {QStringLiteral("r.txt")}},
        {{QStringLiteral("--png"), at("png"), QStringLiteral("--dpi"), QStringLiteral("10"), report},
         {QStringLiteral("png/page-001.png")}},
        {{QStringLiteral("--save"), at("r.vtx"), report}, {QStringLiteral("r.vtx"), QStringLiteral("r.~vt")}},
        {{QStringLiteral("--save"), at("r.vrp"), report}, {QStringLiteral("r.vrp"), QStringLiteral("r.~vr")}},
    };
    for (const Case& c : cases) {
        const std::string shown = c.args.join(QLatin1Char(' ')).toStdString();
        QDir(out).removeRecursively();
        for (const QString& name : c.oldFiles)
            ASSERT_TRUE(testsupport::writeFile(out + QLatin1Char('/') + name, "old " + name.toUtf8()));
        const QMap<QString, QByteArray> before = snapshot(out);

        const RunResult result = run(c.args, kFullDiskAtFirstWrite);
        EXPECT_EQ(result.exitCode, 1) << shown << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QLatin1String("No space left on device"))) << shown << "\n" << result.err.toStdString();
        EXPECT_FALSE(result.err.contains(QLatin1String("Unknown error"))) << shown;
        EXPECT_EQ(snapshot(out), before) << shown;
    }
}

TEST_F(RunnerTest, SavingKeepsTheOldVersionAsTheBackup)
{
    const QString saved = path("r.vtx");
    ASSERT_EQ(run({QStringLiteral("--save"), saved, example("loop_strings.vtx")}).exitCode, 0);
    const QByteArray first = testsupport::readFile(saved);
    ASSERT_EQ(run({QStringLiteral("--save"), saved, example("grouped_list.vtx")}).exitCode, 0);
    const QByteArray second = testsupport::readFile(saved);
    EXPECT_NE(first, second);
    EXPECT_EQ(testsupport::readFile(path("r.~vt")), first);
    ASSERT_EQ(run({QStringLiteral("--save"), saved, example("invoice.vtx")}).exitCode, 0);
    EXPECT_EQ(testsupport::readFile(path("r.~vt")), second);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

TEST_F(RunnerTest, StandardOutputDevicesAndFifosAreWrittenInPlace)
{
    const QString report = example("loop_strings.vtx");
    const RunResult pdf = run({QStringLiteral("--pdf"), QStringLiteral("-"), report});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.out.endsWith("%%EOF\n"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("-")));

    const RunResult csv = run({QStringLiteral("--export"), QStringLiteral("csv"), QStringLiteral("-"), report});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.outText().contains(QLatin1String("Weekday"))) << csv.outText().left(300).toStdString();

    // Test-owned copies of /dev/null and /dev/full.
    ASSERT_EQ(::mknod(QFile::encodeName(path("null")).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(::mknod(QFile::encodeName(path("full")).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    const RunResult toNull = run({QStringLiteral("--pdf"), path("null"), report});
    EXPECT_EQ(toNull.exitCode, 0) << toNull.err.toStdString();
    EXPECT_EQ(fileType(path("null")), mode_t(S_IFCHR));
    const RunResult toFull = run({QStringLiteral("--rpp"), path("full"), report});
    EXPECT_EQ(toFull.exitCode, 1);
    EXPECT_TRUE(toFull.err.contains(QLatin1String("No space left on device"))) << toFull.err.toStdString();
    EXPECT_EQ(fileType(path("full")), mode_t(S_IFCHR));

    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0666), 0);
    QProcess reader;
    reader.start(QStringLiteral("cat"), {path("fifo")});
    ASSERT_TRUE(reader.waitForStarted());
    const RunResult toFifo = run({QStringLiteral("--pdf"), path("fifo"), report});
    EXPECT_EQ(toFifo.exitCode, 0) << toFifo.err.toStdString();
    if (!reader.waitForFinished(30000))
        reader.kill();
    EXPECT_TRUE(reader.readAllStandardOutput().startsWith("%PDF-"));
    EXPECT_EQ(fileType(path("fifo")), mode_t(S_IFIFO));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 3);
}

TEST_F(RunnerTest, AnOutputOverTheReportsDatabaseIsRefused)
{
    const QString database = path("orders.db");
    ASSERT_TRUE(QFile::copy(kExamples + QStringLiteral("/velmor_examples.db"), database));
    const QString report = path("city.vtx");
    writeCityReport(report, database);
    const QByteArray before = testsupport::readFile(database);

    const RunResult result = run({QStringLiteral("--param"), QStringLiteral("CITY=Oslo"), QStringLiteral("--export"),
                                  QStringLiteral("csv"), database, report});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QLatin1String("reads its data from"))) << result.err.toStdString();
    EXPECT_EQ(testsupport::readFile(database), before);
}

TEST_F(RunnerTest, ARunThatCannotWriteWhatWasAskedDoesNotSucceed)
{
    classregistration::registerStorableClasses();
    const QString empty = path("empty.vtx");
    {
        TfrmVelDesign document; // a report without bands prints no page
        ASSERT_TRUE(document.saveToFile(empty));
    }
    ASSERT_TRUE(testsupport::writeFile(path("old.pdf"), "old pdf"));
    RunResult result = run({QStringLiteral("--pdf"), path("old.pdf"), empty});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QLatin1String("no pages"))) << result.err.toStdString();
    EXPECT_EQ(testsupport::readFile(path("old.pdf")), QByteArray("old pdf"));

    // A report whose datamodule file cannot be read is still converted, but not as a success.
    ASSERT_TRUE(testsupport::writeFile(path("broken.vdm"), "this is not a datamodule"));
    ASSERT_TRUE(testsupport::writeFile(path("linked.vtx"),
                                       "Velmor File 4\n\r\n\rBrokenModule\n\r" + QFile::encodeName(path("broken.vdm"))
                                           + "\n\r\n\r\n\r" + testsupport::readFile(empty).mid(testsupport::readFile(empty).indexOf("object"))));
    result = run({QStringLiteral("--save"), path("copy.vtx"), path("linked.vtx")});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_FALSE(result.err.isEmpty());

    // A page too large for an image: the reason, and no warnings of the toolkit before it.
    result = run({QStringLiteral("--quiet"), QStringLiteral("--png"), path("big"), QStringLiteral("--dpi"),
                  QStringLiteral("2400"), example("loop_strings.vtx")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QLatin1String("velmor-run: The page is too large"))) << result.err.toStdString();
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("big")));
}

TEST_F(RunnerTest, PngPagesReplaceTheFolderOfAnEarlierRunWhole)
{
    const QString png = path("png");
    ASSERT_EQ(run({QStringLiteral("--png"), png, QStringLiteral("--dpi"), QStringLiteral("10"), example("grouped_list.vtx")}).exitCode, 0);
    const int before = int(QDir(png).entryList(QDir::Files).size());
    ASSERT_GT(before, 1);
    const RunResult again =
        run({QStringLiteral("--png"), png, QStringLiteral("--dpi"), QStringLiteral("10"), example("loop_strings.vtx")});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    ASSERT_EQ(run({QStringLiteral("--pdf"), path("loop.pdf"), example("loop_strings.vtx")}).exitCode, 0);
    const int pages = pdfPages(path("loop.pdf"));
    ASSERT_LT(pages, before);
    const QStringList files = QDir(png).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(files.size(), pages) << files.join(QLatin1Char(' ')).toStdString();
    for (const QString& file : files)
        EXPECT_GT(QFileInfo(QDir(png).filePath(file)).size(), 0) << file.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2)
        << "no staging folder is left";

    // A folder holding anything else is not the runner's to replace.
    ASSERT_TRUE(testsupport::writeFile(path("mine/notes.txt"), "keep me"));
    const RunResult refused = run({QStringLiteral("--png"), path("mine"), example("loop_strings.vtx")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(QDir(path("mine")).entryList(QDir::Files), QStringList{QStringLiteral("notes.txt")});
}

TEST_F(RunnerTest, AKilledRunLeavesNoTemporaryFiles)
{
    // The run blocks on the FIFO it writes to after generating the report; the pages then
    // sit in a temporary file and the run's private runtime folder exists.
    for (int signalNumber : {SIGINT, SIGTERM}) {
        QTemporaryDir temporary;
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0666), 0);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), temporary.path());
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(env);
        process.start(kRunner, {QStringLiteral("--rpp"), path("fifo"), example("grouped_list.vtx")});
        ASSERT_TRUE(process.waitForStarted());
        bool pagesInTemporaryFile = false;
        for (int wait = 0; wait < 1200 && !pagesInTemporaryFile && process.state() == QProcess::Running; ++wait) {
            pagesInTemporaryFile = !QDir(temporary.path()).entryList({QStringLiteral("RPP*")}, QDir::Files).isEmpty();
            if (!pagesInTemporaryFile)
                process.waitForFinished(100);
        }
        ASSERT_TRUE(pagesInTemporaryFile) << "the pages never moved to a temporary file";
        ASSERT_GT(QDir(temporary.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 0);
        ::kill(pid_t(process.processId()), signalNumber);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList())
            << "signal " << signalNumber;
        QFile::remove(path("fifo"));
    }
}

namespace {

// Runs the runner in a shell that limits the size of every file it writes, as a nearly
// full disk would: writes beyond the limit fail with "File too large".
RunResult runWithFileSizeLimit(int kilobytes, const QStringList& args)
{
    QStringList quoted;
    for (const QString& arg : args)
        quoted.append(QLatin1Char('\'') + arg + QLatin1Char('\''));
    return run({QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f %1; exec '%2' %3")
                                          .arg(kilobytes * 2)
                                          .arg(kRunner, quoted.join(QLatin1Char(' ')))},
               {}, QStringLiteral("/bin/sh"));
}

} // namespace

TEST_F(RunnerTest, AWriteCutShortByTheDiskNamesTheCause)
{
    const QString report = example("grouped_list.vtx");
    struct Case {
        QStringList args;
        QString oldFile;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--quiet"), QStringLiteral("--pdf"), path("r.pdf"), report}, path("r.pdf")},
        {{QStringLiteral("--quiet"), QStringLiteral("--rpp"), path("r.rpp"), report}, path("r.rpp")},
        {{QStringLiteral("--quiet"), QStringLiteral("--png"), path("png"), QStringLiteral("--dpi"), QStringLiteral("10"), report},
         path("png/page-001.png")},
        {{QStringLiteral("--quiet"), QStringLiteral("--export"), QStringLiteral("html"), path("r.htm"), report}, path("r.htm")},
    };
    for (const Case& c : cases) {
        const std::string shown = c.args.join(QLatin1Char(' ')).toStdString();
        ASSERT_TRUE(testsupport::writeFile(c.oldFile, "old"));
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        const RunResult result = runWithFileSizeLimit(8, c.args);
        EXPECT_EQ(result.exitCode, 1) << shown << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QLatin1String("File too large"))) << shown << "\n" << result.err.toStdString();
        EXPECT_FALSE(result.err.contains(QLatin1String("damaged"))) << shown;
        EXPECT_EQ(snapshot(dir.path()), before) << shown;
    }
}
