#include "core/class_registry.h"
#include "test_fixtures.h"

#include <gtest/gtest.h>

namespace {

class ClassRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry.clear();
        registry.setStringSource([](int id) { return id == 1 ? QStringLiteral("Widget caption") : QString(); });
        registry.registerClasses(QStringLiteral("Bands"), {TClassInfo::of<TTestWidget>()});
        registry.registerClasses(QStringLiteral("Controls"), {TClassInfo::of<TControl>(), TClassInfo::of<TComponent>()});
        registry.registerClasses(QString(), {TClassInfo::of<TStoredOnly>()});
    }
    void TearDown() override { registry.clear(); }

    class TStoredOnly : public TComponent {
    public:
        using TComponent::TComponent;
    };

    TClassRegistry& registry = TClassRegistry::instance();
};

TEST_F(ClassRegistryTest, PagesAndEntriesInRegistrationOrder)
{
    ASSERT_EQ(registry.pageCount(), 2);
    EXPECT_EQ(registry.pageName(0), QStringLiteral("Bands"));
    EXPECT_EQ(registry.pageName(1), QStringLiteral("Controls"));
    EXPECT_EQ(registry.entryCount(1), 2);
    EXPECT_EQ(registry.className(1, 0), QStringLiteral("TControl"));
    EXPECT_EQ(registry.className(1, 1), QStringLiteral("TComponent"));
    EXPECT_TRUE(registry.isRegistered(u"ttestwidget"));
    EXPECT_FALSE(registry.isRegistered(u"TFont"));
}

TEST_F(ClassRegistryTest, OutOfRangeAnswers)
{
    EXPECT_EQ(registry.pageName(99), QStringLiteral("?????"));
    EXPECT_EQ(registry.pageName(-1), QStringLiteral("?????"));
    EXPECT_EQ(registry.entryCount(99), -1);
    EXPECT_FALSE(registry.entry(0, 5).has_value());
    EXPECT_EQ(registry.className(0, 5), QStringLiteral("?????"));
}

TEST_F(ClassRegistryTest, CaptionsAndDescriptions)
{
    EXPECT_EQ(registry.describe(u"TTestWidget").caption, QStringLiteral("TTestWidget"));
    registry.setCaption(u"ttestwidget", 1);
    EXPECT_EQ(registry.describe(u"TTestWidget").caption, QStringLiteral("Widget caption"));
    registry.setCaption(u"TControl", 2); // an empty text keeps the class name
    EXPECT_EQ(registry.describe(u"TControl").caption, QStringLiteral("TControl"));
    registry.setCaption(u"TUnknown", 1);

    const TClassDescription missing = registry.describe(u"TRpThing");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.caption, QStringLiteral("RpThing"));
    EXPECT_EQ(missing.imageIndex, 0);
    EXPECT_TRUE(registry.describe(u"TControl").found);
    EXPECT_EQ(registry.describe(u"TControl").imageIndex, -1);
    EXPECT_EQ(registry.images().size(), 3); // the three arrows only
}

TEST_F(ClassRegistryTest, MoveToFrontOfAnotherOrNewPage)
{
    registry.move(QStringLiteral("Bands"), u"TComponent");
    EXPECT_EQ(registry.className(0, 0), QStringLiteral("TComponent"));
    EXPECT_EQ(registry.entryCount(0), 2);
    EXPECT_EQ(registry.entryCount(1), 1);
    registry.move(QStringLiteral("Extra"), u"TControl");
    EXPECT_EQ(registry.pageName(0), QStringLiteral("Extra"));
    EXPECT_EQ(registry.className(0, 0), QStringLiteral("TControl"));
    EXPECT_EQ(registry.entryCount(2), 0);
    registry.move(QStringLiteral("Bands"), u"TNotRegistered");
    EXPECT_EQ(registry.pageCount(), 3);
}

TEST_F(ClassRegistryTest, CreatesOnlyRegisteredClasses)
{
    TComponent owner;
    TComponent* created = registry.create(u"TTestWidget", &owner);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->className(), QStringLiteral("TTestWidget"));
    EXPECT_EQ(created->owner(), &owner);
    EXPECT_EQ(registry.create(u"TFont", &owner), nullptr);
}

} // namespace
