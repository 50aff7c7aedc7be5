#include "app/recent_files.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using recentfiles::ReopenEntry;

TEST(RecentFiles, RememberPutsTheNameFirstOnceAndKeepsFive)
{
    QStringList list;
    for (const char* name : {"a.vrp", "b.vrp", "c.vrp", "d.vrp", "e.vrp", "f.vrp"})
        recentfiles::remember(list, QString::fromLatin1(name));
    EXPECT_EQ(list, (QStringList{"f.vrp", "e.vrp", "d.vrp", "c.vrp", "b.vrp"}));

    recentfiles::remember(list, QStringLiteral("C.VRP"));
    EXPECT_EQ(list, (QStringList{"C.VRP", "f.vrp", "e.vrp", "d.vrp", "b.vrp"}));

    recentfiles::remember(list, QString());
    EXPECT_EQ(list.size(), 5);
}

TEST(RecentFiles, ForgetIgnoresCase)
{
    QStringList list{"/r/One.vrp", "/r/two.vtx"};
    recentfiles::forget(list, QStringLiteral("/R/ONE.VRP"));
    EXPECT_EQ(list, QStringList{"/r/two.vtx"});
}

TEST(RecentFiles, ReopenEntriesLetterOverAllKindsAndLeaveOpenFilesOut)
{
    RecentFiles files;
    files.reports = {"/r/open.vrp", "/r/last.vrp", "/r/first.vtx"};
    files.projects = {};
    files.dataModules = {"/d/data.vdm"};
    const auto entries = recentfiles::reopenEntries(files, [](const QString& name) {
        return name.endsWith(QStringLiteral("open.vrp"));
    });
    const QList<ReopenEntry> expected = {
        {"&A /r/last.vrp", "/r/last.vrp"},
        {"&B /r/first.vtx", "/r/first.vtx"},
        {},
        {"&C /d/data.vdm", "/d/data.vdm"},
    };
    EXPECT_EQ(entries, expected);
}

TEST(RecentFiles, ReopenEntriesWithoutReportsStartWithoutSeparator)
{
    RecentFiles files;
    files.projects = {"/p/x.vrp"};
    const auto entries = recentfiles::reopenEntries(files, {});
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].caption, QStringLiteral("&A /p/x.vrp"));
}
