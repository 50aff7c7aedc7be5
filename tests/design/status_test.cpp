// The status line describes the object last pointed at, in the report's units.
#include "design_fixture.h"

TEST_F(DesignTest, StatusLineDescribesControlBandAndReport)
{
    TRpLabel* a = addLabel("Amount", {10, 10, 40, 20});
    a->setHint(QStringLiteral("total"));
    click(at(a));
    const QString control = window->statusText();
    EXPECT_TRUE(control.contains(QLatin1String(" MM  "))) << control.toStdString();
    EXPECT_TRUE(control.contains(QLatin1String("   Amount  total  "))) << control.toStdString();
    EXPECT_TRUE(control.startsWith(QString::number(a->size()->left(), 'f', 4) + QStringLiteral(" / ")));

    click(at(detail, {300, 40}));
    const QString band = window->statusText();
    EXPECT_TRUE(band.endsWith(QLatin1String("  Detail   "))) << band.toStdString();
    EXPECT_TRUE(band.contains(QString::number(detail->size()->height(), 'f', 4) + QStringLiteral(" MM")));
}
