// Copy, cut and paste through the system clipboard as the text form of the stream.
#include "design_fixture.h"

#include <QApplication>
#include <QClipboard>

TEST_F(DesignTest, CopyWritesTheTextFormOfControlsOnTheFirstSelectedParentOnly)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    TRpLabel* b = addLabel("B", {60, 10, 40, 20});
    TRpLabel* other = addLabel("Other", {10, 10, 40, 20}, summary);
    click(at(a));
    click(at(other), Qt::ShiftModifier);
    click(at(b), Qt::ShiftModifier);
    window->copy();
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(QLatin1String("object A: TRpLabel\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("object B: TRpLabel\r\n")));
    EXPECT_FALSE(text.contains(QLatin1String("Other")));
    EXPECT_TRUE(text.endsWith(QLatin1String("end\r\n")));
}

TEST_F(DesignTest, PasteIntoAnotherWindowKeepsNamesAndPlacesOnTheSelectedBand)
{
    TRpLabel* a = addLabel("A", {10, 12, 40, 20});
    a->setCaption(QStringLiteral("Copied caption"));
    click(at(a));
    window->copy();

    TVelDesignWindow* second = openWindow();
    TRpBand* target = addBand(second, QStringLiteral("Target"), TRpBandType::rbDetail, 300);
    second->selectControl(target);
    ASSERT_TRUE(second->paste());
    auto* pasted = qobject_cast<TRpLabel*>(second->document()->findComponent(u"A"));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->parentControl(), target);
    EXPECT_EQ(pasted->bounds(), QRect(10, 12, 40, 20));
    EXPECT_EQ(pasted->caption(), QStringLiteral("Copied caption"));
    EXPECT_EQ(second->selection().controls(), QList<TControl*>{pasted});
    EXPECT_TRUE(second->isModified());
}

TEST_F(DesignTest, PastingIntoTheSameReportRenamesAndLandsBesideTheFirstSelected)
{
    TRpLabel* a = addLabel("Total", {10, 12, 40, 20});
    addLabel("RpLabel1", {100, 12, 40, 20});
    click(at(a));
    window->copy();
    ASSERT_TRUE(window->paste());
    auto* copy = qobject_cast<TRpLabel*>(window->document()->findComponent(u"RpLabel2"));
    ASSERT_NE(copy, nullptr) << "the class name without its first letter and the next free number";
    EXPECT_EQ(copy->parentControl(), detail);
    EXPECT_EQ(copy->bounds(), a->bounds());
}

TEST_F(DesignTest, PastingABandBringsItsControlsWithNewNames)
{
    addLabel("Inside", {10, 12, 40, 20});
    window->selectControl(detail);
    window->copy();
    const int bandsBefore = window->report()->controlCount();
    ASSERT_TRUE(window->paste());
    EXPECT_EQ(window->report()->controlCount(), bandsBefore + 1);
    auto* band = qobject_cast<TRpBand*>(window->selection().control(0));
    ASSERT_NE(band, nullptr);
    EXPECT_NE(band, detail);
    EXPECT_EQ(band->parentControl(), window->report());
    ASSERT_EQ(band->controlCount(), 1);
    EXPECT_NE(band->controls()[0]->name(), QStringLiteral("Inside"));
    EXPECT_EQ(band->controls()[0]->bounds(), QRect(10, 12, 40, 20));
}

TEST_F(DesignTest, ForeignTextIsNotPastedAndSaysWhy)
{
    addLabel("A", {10, 12, 40, 20});
    QApplication::clipboard()->setText(QStringLiteral("Dear all,\nthe meeting moves to Friday."));
    EXPECT_FALSE(TVelDesignWindow::clipboardHoldsComponents());
    const int before = window->document()->componentCount();
    EXPECT_FALSE(window->paste());
    EXPECT_EQ(window->document()->componentCount(), before);
    EXPECT_FALSE(messages.isEmpty());
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(window->undoStack()->count(), 0);
}

TEST_F(DesignTest, DamagedComponentTextShowsTheReadersMessageAndKeepsTheDocument)
{
    addLabel("A", {10, 12, 40, 20});
    QApplication::clipboard()->setText(QStringLiteral("object X: TRpLabel\r\n  Left = \r\n"));
    const int before = window->document()->componentCount();
    EXPECT_FALSE(window->paste());
    EXPECT_EQ(window->document()->componentCount(), before);
    EXPECT_FALSE(messages.isEmpty());
}

TEST_F(DesignTest, CutRemovesWhatItCopiedAndPasteBringsItBack)
{
    TRpLabel* a = addLabel("A", {10, 12, 40, 20});
    click(at(a));
    window->cut();
    EXPECT_EQ(window->document()->findComponent(u"A"), nullptr);
    EXPECT_TRUE(TVelDesignWindow::clipboardHoldsComponents());
    window->selectControl(detail);
    ASSERT_TRUE(window->paste());
    auto* back = qobject_cast<TRpLabel*>(window->document()->findComponent(u"A"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->bounds(), QRect(10, 12, 40, 20));
}
