#include "design/alignment_palette.h"

#include "design/design_window.h"
#include "document/class_registration.h"
#include "document/vel_design.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"

#include <QIcon>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

QToolButton* buttonWithHint(TfrmAlignment& palette, const QString& hint)
{
    for (QToolButton* button : palette.findChildren<QToolButton*>())
        if (button->toolTip() == hint)
            return button;
    return nullptr;
}

TRpLabel* addLabel(TVelDesignWindow& window, TControl* band, const QString& name, double left, double top)
{
    auto* label = new TRpLabel(window.document());
    label->setNameUnchecked(name);
    label->setParentControl(band);
    label->size()->setNativeValue(TRpPrintableSize::LeftValue, left);
    label->size()->setNativeValue(TRpPrintableSize::TopValue, top);
    label->size()->setNativeValue(TRpPrintableSize::WidthValue, 300);
    label->size()->setNativeValue(TRpPrintableSize::HeightValue, 45);
    return label;
}

} // namespace

TEST(AlignmentPalette, TwelveButtonsInTwoRowsWithTheirHintsAndPictures)
{
    TfrmAlignment palette;
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("Alignment pallette"));
    const char* hints[2][6] = {
        {"Align left edges", "Align horizontal centers", "Center horizontal in band", "Space equally horizontal",
         "Align right edges", "Send control to back"},
        {"Align tops", "Align vertical centers", "Center vertically in band", "Space equally, vertical",
         "Align bottoms", "Bring control to the front"},
    };
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6; ++column) {
            QToolButton* button = buttonWithHint(palette, QString::fromLatin1(hints[row][column]));
            ASSERT_NE(button, nullptr) << hints[row][column];
            EXPECT_EQ(button->x() - buttonWithHint(palette, QString::fromLatin1(hints[row][0]))->x(), 28 * column);
            EXPECT_EQ(button->y() - buttonWithHint(palette, QString::fromLatin1(hints[0][column]))->y(), 28 * row);
            EXPECT_FALSE(button->icon().pixmap(20, 20).isNull()) << hints[row][column];
        }
    }
}

TEST(AlignmentPalette, ShownItMeetsTheRightEdgeOfTheMainWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(30, 15, 700, 90);
    mainWindow.show();
    TfrmAlignment palette;
    palette.setAnchor(&mainWindow);
    palette.show();
    EXPECT_EQ(palette.frameGeometry().right(), mainWindow.frameGeometry().right());
    EXPECT_EQ(palette.frameGeometry().top(), mainWindow.frameGeometry().top() + 20);
}

TEST(AlignmentPalette, AButtonAlignsTheSelectionOfTheActiveWindow)
{
    classregistration::registerStorableClasses();
    TVelDesignWindow window;
    TfrmVelDesign& document = *window.document();
    TRpBand* band = rpNewBand(&document, document.report(), QStringLiteral("Detail"), TRpBandType::rbDetail, 300);
    TRpLabel* reference = addLabel(window, band, QStringLiteral("Label1"), 100, 10);
    TRpLabel* other = addLabel(window, band, QStringLiteral("Label2"), 400, 100);
    window.refreshView();
    window.selectControl(reference);
    window.selectControl(other, Qt::ShiftModifier);

    TfrmAlignment palette;
    TVelDesignWindow* active = nullptr;
    palette.setDesignWindowSource([&active] { return active; });
    palette.show();
    QTest::mouseClick(buttonWithHint(palette, QStringLiteral("Align left edges")), Qt::LeftButton);
    EXPECT_NE(other->left(), reference->left()) << "no active window: nothing happens";

    active = &window;
    QTest::mouseClick(buttonWithHint(palette, QStringLiteral("Align left edges")), Qt::LeftButton);
    EXPECT_EQ(other->left(), reference->left());
    QTest::mouseClick(buttonWithHint(palette, QStringLiteral("Align tops")), Qt::LeftButton);
    EXPECT_EQ(other->top(), reference->top());
}
