#include "core/settings/character_sets.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(CharacterSets, ListsTheEighteenIdentifiersSortedByName)
{
    const QStringList names = characterSetIdentifiersByName();
    ASSERT_EQ(names.size(), 18);
    EXPECT_EQ(names.first(), QStringLiteral("ANSI_CHARSET"));
    EXPECT_EQ(names.last(), QStringLiteral("TURKISH_CHARSET"));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(names.contains(QStringLiteral("DEFAULT_CHARSET")));
}

TEST(CharacterSets, MapIdentifiersToTheirValues)
{
    EXPECT_EQ(characterSetValue(QStringLiteral("DEFAULT_CHARSET")), 1);
    EXPECT_EQ(characterSetValue(QStringLiteral("MAC_CHARSET")), 77);
    EXPECT_EQ(characterSetValue(QStringLiteral("OEM_CHARSET")), 255);
    EXPECT_FALSE(characterSetValue(QStringLiteral("default_charset")).has_value());
    EXPECT_FALSE(characterSetValue(QString()).has_value());
}

} // namespace
