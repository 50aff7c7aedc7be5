#include "document_fixture.h"

namespace {

class ClassRegistration : public DocumentTest {};

TEST_F(ClassRegistration, PagesAndStoredOnlyClassesInTheirOrder)
{
    TClassRegistry& registry = TClassRegistry::instance();
    ASSERT_GE(registry.pageCount(), 2);
    QStringList bands;
    for (int i = 0; i < registry.entryCount(0); ++i)
        bands.append(registry.className(0, i));
    EXPECT_EQ(bands, (QStringList{"TRpSubDetail", "TRpBand", "TRpChildBand", "TRpGroup", "TRpStringsBand", "TRpLoopBand"}));
    EXPECT_EQ(registry.className(1, 0), QStringLiteral("TRpExprMemo"));
    EXPECT_EQ(registry.className(1, 10), QStringLiteral("TRpDBImage"));
    EXPECT_EQ(registry.pageName(99), QStringLiteral("?????"));
    for (const char* stored : {"TReport", "TRpName", "TDataSource", "TVelDataModuleLink", "TVelDataModule", "TVelMemo",
                               "TScrollBox"})
        EXPECT_TRUE(registry.isRegistered(QString::fromLatin1(stored))) << stored;
    EXPECT_FALSE(registry.describe(u"TReport").found);
    EXPECT_EQ(registry.describe(u"TRpLabel").caption, QStringLiteral("Text label"));
}

} // namespace
