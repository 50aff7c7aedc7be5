#include "settings_fixture.h"

#include "core/settings/default_report_settings.h"
#include "core/settings/window_settings.h"

namespace {

const QSize kScreen(1024, 768);
constexpr int kMainWindowHeight = 90;

class WindowSettings : public SettingsFixture {};

TEST_F(WindowSettings, DatabaseManagerDefaultsAreCentred)
{
    const DatabaseManagerSettings s = readDatabaseManagerSettings(store(), kScreen, kMainWindowHeight);
    EXPECT_TRUE(s.onTop && s.bigButtons && s.hints);
    EXPECT_EQ(s.geometry, QRect((1024 - 430) / 2, (768 - 350) / 2, 430, 350));
    EXPECT_EQ(s.pageWidth, 290);
}

struct PullBackCase {
    int storedLeft;
    int storedTop;
    QPoint expected;
};

class DatabaseManagerPosition : public WindowSettings, public ::testing::WithParamInterface<PullBackCase> {};

TEST_P(DatabaseManagerPosition, IsPulledBackOnScreen)
{
    plant(QStringLiteral("DB"), QStringLiteral("Left"), QString::number(GetParam().storedLeft));
    plant(QStringLiteral("DB"), QStringLiteral("Top"), QString::number(GetParam().storedTop));
    plant(QStringLiteral("DB"), QStringLiteral("Width"), QStringLiteral("400"));
    const QRect geometry = readDatabaseManagerSettings(store(), kScreen, kMainWindowHeight).geometry;
    EXPECT_EQ(geometry.topLeft(), GetParam().expected);
    EXPECT_EQ(geometry.width(), 400);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatabaseManagerPosition,
    ::testing::Values(PullBackCase{5000, 100, {1024 - 400, 100}},      // right edge on the screen's right edge
                      PullBackCase{1004, 100, {1004, 100}},             // still within the 20-pixel margin
                      PullBackCase{1005, 100, {1024 - 400, 100}},
                      PullBackCase{10, 749, {10, kMainWindowHeight}},   // below the screen: under the main window
                      PullBackCase{10, 748, {10, 748}},
                      PullBackCase{-50, -20, {-50, -20}}));

TEST_F(WindowSettings, DatabaseManagerRoundTrip)
{
    DatabaseManagerSettings s;
    s.onTop = false;
    s.hints = false;
    s.geometry = QRect(12, 34, 500, 400);
    s.pageWidth = 310;
    writeDatabaseManagerSettings(store(), s);
    reopen();
    EXPECT_EQ(readDatabaseManagerSettings(store(), kScreen, kMainWindowHeight), s);
}

TEST_F(WindowSettings, TextEditorSectionsAreSeparate)
{
    writeGeometry(store(), kScriptEditorSection, QRect(1, 2, 600, 500));
    reopen();
    EXPECT_EQ(readCentredGeometry(store(), kScriptEditorSection, kTextEditorDefaultSize, kScreen, kMainWindowHeight),
              QRect(1, 2, 600, 500));
    EXPECT_EQ(readCentredGeometry(store(), kMemoEditorSection, kTextEditorDefaultSize, kScreen, kMainWindowHeight),
              QRect(297, 209, 430, 350));
}

struct VisibleCase {
    const char* stored;
    bool visible;
};

class ReportManagerVisible : public WindowSettings, public ::testing::WithParamInterface<VisibleCase> {};

TEST_P(ReportManagerVisible, ShowsOnlyWhenStoredAsOne)
{
    if (GetParam().stored)
        plant(QStringLiteral("RepManag"), QStringLiteral("Visible"), QString::fromLatin1(GetParam().stored));
    EXPECT_EQ(readReportManagerSettings(store(), QRect(0, 100, 200, 300), kScreen).visible, GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportManagerVisible,
                         ::testing::Values(VisibleCase{nullptr, true}, VisibleCase{"1", true},
                                           VisibleCase{"2", false}, VisibleCase{"0", false},
                                           VisibleCase{"x", true}));

TEST_F(WindowSettings, ReportManagerStartsAtTheRightEdgeAndComesBackFromBelowTheScreen)
{
    const QRect designed(0, 100, 200, 300);
    EXPECT_EQ(readReportManagerSettings(store(), designed, kScreen).geometry, QRect(1024 - 200, 100, 200, 300));

    plant(QStringLiteral("RepManag"), QStringLiteral("Top"), QStringLiteral("900"));
    plant(QStringLiteral("RepManag"), QStringLiteral("Left"), QStringLiteral("50"));
    EXPECT_EQ(readReportManagerSettings(store(), designed, kScreen).geometry, QRect(50, 153, 200, 300));
}

TEST_F(WindowSettings, ReportManagerRoundTrip)
{
    const ReportManagerSettings s{QRect(30, 40, 250, 350), false};
    writeReportManagerSettings(store(), s);
    reopen();
    EXPECT_EQ(readReportManagerSettings(store(), QRect(0, 0, 10, 10), kScreen), s);
}

TEST_F(WindowSettings, DefaultReportDefaultsUseTheNewReportsUnitsAndMargin)
{
    const DefaultReportSettings s = readDefaultReportSettings(store(), QStringLiteral("MM"), 10);
    EXPECT_EQ(s.paperSize, QStringLiteral("A4"));
    EXPECT_EQ(s.orientation, QStringLiteral("Portrait"));
    EXPECT_EQ(s.units, QStringLiteral("MM"));
    EXPECT_EQ(s.top, QStringLiteral("10.00"));
    EXPECT_EQ(s.right, QStringLiteral("10.00"));
    EXPECT_TRUE(s.width.isEmpty() && s.space.isEmpty());
    EXPECT_EQ(s.columns, 1);
    EXPECT_EQ(s.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(s.fontSize, QStringLiteral("10"));
    EXPECT_FALSE(s.frameTop || s.frameLeft || s.frameRight || s.frameBottom);
    EXPECT_EQ(s.frameWidth, 1);
    EXPECT_TRUE(s.firstHeader && s.lastFooter);
}

TEST_F(WindowSettings, DefaultReportRoundTrip)
{
    DefaultReportSettings s;
    s.paperSize = QStringLiteral("Letter");
    s.orientation = QStringLiteral("Landscape");
    s.units = QStringLiteral("Inch");
    s.width = QStringLiteral("8.50");
    s.top = QStringLiteral("0.50");
    s.columns = 3;
    s.space = QStringLiteral("0.25");
    s.frameLeft = true;
    s.frameBottom = true;
    s.frameColor = 0xFF8000;
    s.frameWidth = 2;
    s.lastFooter = false;
    writeDefaultReportSettings(store(), s);
    reopen();
    EXPECT_EQ(readDefaultReportSettings(store(), QStringLiteral("MM"), 10), s);
}

TEST(MarginText, HasTwoDecimalsAndNoGrouping)
{
    EXPECT_EQ(formatMargin(0), QStringLiteral("0.00"));
    EXPECT_EQ(formatMargin(12.345), QStringLiteral("12.35"));
    EXPECT_EQ(formatMargin(1234.5), QStringLiteral("1234.50"));
}

} // namespace
