#include "core/settings/enumeration_names.h"
#include "core/settings/file_locations.h"
#include "core/settings/profile_file.h"
#include "support/test_support.h"

#include <QMetaEnum>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kShapes{"rpsRectangle", "rpsCircle", "rpsVertLine", "rpsHorLine", "rpsTopAndBottom", "rpsRightAndLeft"};

std::optional<ProfileFile> profile(const char* text)
{
    return ProfileFile::parse(QByteArray(text));
}

struct ListCase {
    const char* name;
    const char* file;  // nullptr: no file
    QStringList expected;
};

class EnumerationList : public ::testing::TestWithParam<ListCase> {};

TEST_P(EnumerationList, FollowsDisplayTextsAndShowEmpty)
{
    const std::optional<ProfileFile> file = GetParam().file ? profile(GetParam().file) : std::nullopt;
    EXPECT_EQ(enumerationList(file, QStringLiteral("TRpShapeType"), kShapes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnumerationList,
    ::testing::Values(
        ListCase{"NoFile", nullptr, kShapes},
        ListCase{"NoSectionShowEmptyDefault", "[Other]\nx=y\n", kShapes},
        ListCase{"NoSectionShowEmptyOff", "[opTRpShapeType]\nShowEmpty=0\n", {}},
        ListCase{"TextsAndPlainNames",
                 "[TRpShapeType]\nrpsCircle=Circle\nrpsHorLine = Horizontal line \n",
                 {"rpsRectangle", "Circle|rpsCircle", "rpsVertLine", "Horizontal line|rpsHorLine", "rpsTopAndBottom", "rpsRightAndLeft"}},
        ListCase{"TextsOnly",
                 "[TRpShapeType]\nrpsCircle=Circle\nrpsHorLine=Line\n[opTRpShapeType]\nShowEmpty=0\n",
                 {"Circle|rpsCircle", "Line|rpsHorLine"}},
        ListCase{"NamesCompareWithoutCase",
                 "[trpshapetype]\nRPSCIRCLE=Circle\n[OPTRPSHAPETYPE]\nshowempty=0\n",
                 {"Circle|rpsCircle"}},
        ListCase{"ShowEmptyNotANumberCountsAsOn", "[opTRpShapeType]\nShowEmpty=no\n", kShapes},
        ListCase{"EmptyDisplayTextIsNoText", "[TRpShapeType]\nrpsCircle=\n[opTRpShapeType]\nShowEmpty=0\n", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnumerationEntry, ValueNameFollowsTheLastBar)
{
    EXPECT_EQ(enumerationEntryValueName(QStringLiteral("Circle|rpsCircle")), QStringLiteral("rpsCircle"));
    EXPECT_EQ(enumerationEntryValueName(QStringLiteral("A|B|rpsCircle")), QStringLiteral("rpsCircle"));
    EXPECT_EQ(enumerationEntryValueName(QStringLiteral("rpsCircle")), QStringLiteral("rpsCircle"));
}

TEST(EnumerationNamesFile, IsTheProgramNameWithIniBesideTheProgram)
{
    QTemporaryDir dir;
    programfiles::setProgramDirectory(dir.path());
    EXPECT_TRUE(enumerationNamesFilePath().isEmpty());
    EXPECT_EQ(enumerationList(QStringLiteral("TRpShapeType"), kShapes), kShapes);

    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("settings_tests.INI")),
                                       "[BrushStyle]\nSolidPattern=Solid\n[opBrushStyle]\nShowEmpty=0\n"));
    EXPECT_EQ(enumerationList(QMetaEnum::fromType<Qt::BrushStyle>()), (QStringList{"Solid|SolidPattern"}));
    programfiles::setProgramDirectory({});
}

TEST(ProfileFileReader, ReadsSectionsKeysAndWindows1252)
{
    const ProfileFile file = ProfileFile::parse(QByteArray(
        "orphan=before any section\r\n"
        "; comment\r\n"
        "[ Names ]\r\n"
        "caf\xe9 = \x80uro\r\n"
        "twice=first\r\n"
        "twice=second\r\n"
        "no equals sign\r\n"
        "=empty key\r\n"
        "[Unclosed\r\n"
        "k=v"));
    EXPECT_EQ(file.value(QStringLiteral("names"), QString::fromUtf8("CAFÉ")), QString::fromUtf8("€uro"));
    EXPECT_EQ(file.value(QStringLiteral("Names"), QStringLiteral("twice")), QStringLiteral("first"));
    EXPECT_EQ(file.value(QStringLiteral("Names"), QString()), QStringLiteral("empty key"));
    EXPECT_EQ(file.value(QStringLiteral("Unclosed"), QStringLiteral("k")), QStringLiteral("v"));
    EXPECT_FALSE(file.value(QStringLiteral("Names"), QStringLiteral("orphan")).has_value());
    EXPECT_FALSE(file.hasSection(QString()));
}

TEST(ProfileFileReader, UnreadableFileGivesNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(ProfileFile::load(dir.filePath(QStringLiteral("missing.INI"))).has_value());
    EXPECT_FALSE(ProfileFile::load(dir.path()).has_value());
}

} // namespace
