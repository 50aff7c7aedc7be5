// The alias file as people write it: ODBC connection strings with their ";" separators,
// comments after values, quoted values, keys in any case and Windows line ends.
#include "data/alias_file.h"

#include "core/settings/file_locations.h"
#include "support/test_support.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct AliasLineCase {
    const char* line;     // the Database line of the alias
    const char* database; // what the alias holds
};

class AliasFileText : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override { programfiles::setProgramDirectory({}); }

    QList<TDatabaseAlias> readText(const QByteArray& text)
    {
        const QString path = folder.filePath(QString::fromLatin1(aliasfile::kFileName));
        EXPECT_TRUE(testsupport::writeFile(path, text));
        return aliasfile::read(path);
    }

    QTemporaryDir folder;
};

TEST_F(AliasFileText, ValuesKeepSeparatorsAndLoseComments)
{
    const AliasLineCase cases[] = {
        {"Database=DRIVER={SQLite3};Database=/data/a.db", "DRIVER={SQLite3};Database=/data/a.db"},
        {"Database=DRIVER={PostgreSQL Unicode};Server=h;UID=u ; the sales server",
         "DRIVER={PostgreSQL Unicode};Server=h;UID=u"},
        {"Database = sales   # on the new machine", "sales"},
        {"Database=\"a ; b # c\"", "a ; b # c"},
        {"database=DSN=Sales,Extra", "DSN=Sales,Extra"},
        {"Database=", ""},
    };
    for (const AliasLineCase& c : cases) {
        SCOPED_TRACE(c.line);
        const QList<TDatabaseAlias> aliases =
            readText(QByteArray("; aliases\r\n[Odbc]\r\nDriver=ODBC\r\n") + c.line + "\r\n");
        ASSERT_EQ(aliases.size(), 1);
        EXPECT_EQ(aliases[0].driver, QStringLiteral("QODBC"));
        EXPECT_EQ(aliases[0].database, QString::fromUtf8(c.database));
    }
}

TEST_F(AliasFileText, SectionsBecomeAliasesSortedByName)
{
    const QList<TDatabaseAlias> aliases = readText(
        "[zeta]\nDriver=PostgreSQL\nHost=127.0.0.1\nPORT=5433\nUser=report\nPassword=p;w\nOptions=connect_timeout=5\n"
        "# a commented line\n[Alpha]\nDatabase=alpha.sqlite\nPort=none\nstray line without equals\n[]\nDatabase=x\n");
    ASSERT_EQ(aliases.size(), 2);
    EXPECT_EQ(aliases[0].name, QStringLiteral("Alpha"));
    EXPECT_EQ(aliases[0].database, folder.filePath(QStringLiteral("alpha.sqlite")));
    EXPECT_EQ(aliases[0].port, -1);
    EXPECT_EQ(aliases[1].name, QStringLiteral("zeta"));
    EXPECT_EQ(aliases[1].driver, QStringLiteral("QPSQL"));
    EXPECT_EQ(aliases[1].host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(aliases[1].port, 5433);
    EXPECT_EQ(aliases[1].user, QStringLiteral("report"));
    EXPECT_EQ(aliases[1].password, QStringLiteral("p;w"));
    EXPECT_EQ(aliases[1].options, QStringLiteral("connect_timeout=5"));
}

TEST_F(AliasFileText, ProgramFindsItsAliasesBesideItself)
{
    readText("[Sales]\nDriver=Firebird\nDatabase=/data/sales.fdb\n");
    programfiles::setProgramDirectory(folder.path());
    const auto alias = aliasfile::find(QStringLiteral("SALES"));
    ASSERT_TRUE(alias.has_value());
    EXPECT_EQ(alias->driver, QStringLiteral("QIBASE"));
    EXPECT_EQ(alias->database, QStringLiteral("/data/sales.fdb"));
    EXPECT_FALSE(aliasfile::find(QStringLiteral("Other")).has_value());
}

TEST_F(AliasFileText, UnreadableOrBinaryFilesHoldNoAliases)
{
    EXPECT_TRUE(aliasfile::read(folder.filePath(QStringLiteral("missing.ini"))).isEmpty());
    EXPECT_TRUE(aliasfile::read(folder.path()).isEmpty());
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 37) % 256);
    for (const TDatabaseAlias& alias : readText(junk))
        EXPECT_FALSE(alias.name.isEmpty());
}

} // namespace
