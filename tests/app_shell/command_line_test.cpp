#include "app/command_line.h"
#include "app/import_naming.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(CommandLine, SwitchesAreRecognisedWithoutCaseAndPreviewWins)
{
    struct Case {
        QStringList arguments;
        TVelCommandLine expected;
    };
    const Case cases[] = {
        {{"a.vrp"}, {{"a.vrp"}, false, false}},
        {{"/preview", "a.vrp"}, {{"a.vrp"}, true, false}},
        {{"a.vrp", "/Print"}, {{"a.vrp"}, false, true}},
        {{"/PRINT", "/PREVIEW", "a.vrp", "b.vtx"}, {{"a.vrp", "b.vtx"}, true, false}},
        {{"/PREVIEWS"}, {{"/PREVIEWS"}, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(interpretCommandLine(c.arguments), c.expected) << c.arguments.join(' ').toStdString();
}

TEST(ImportNaming, TakesVrpThenVtxThenNoName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString dfm = dir.filePath(QStringLiteral("form1.DFM"));
    EXPECT_EQ(importedReportName(dfm), dir.filePath(QStringLiteral("form1.VRP")));

    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("form1.VRP")), "x"));
    EXPECT_EQ(importedReportName(dfm), dir.filePath(QStringLiteral("form1.VTX")));

    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("form1.VTX")), "x"));
    EXPECT_EQ(importedReportName(dfm), QString());
}
