// Undo and redo of every kind of edit, the modified mark and caption that follow the
// saved state, saving with a backup, a failed save, loading, and the close question.
#include "design_fixture.h"

#include "support/test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>

TEST_F(DesignTest, NewDocumentCaptionAndModifiedMark)
{
    EXPECT_EQ(window->captionText(), QStringLiteral("Untitled "));
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    click(at(a));
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(window->captionText(), QStringLiteral("Untitled *"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled *"));
    window->report()->setReportTitle(QStringLiteral("Sales"));
    window->document()->updateCaption();
    EXPECT_EQ(window->captionText(), QStringLiteral("Sales *"));
}

TEST_F(DesignTest, UndoingBackToTheSavedStateClearsTheMarkAndRedoingPastItSetsIt)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    ASSERT_TRUE(window->saveToFile(path("r.vtx")));
    EXPECT_FALSE(window->isModified());
    click(at(a));
    key(Qt::Key_Right, Qt::ControlModifier);
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(window->undoStack()->count(), 1) << "nudges of the same selection are one step";
    window->undoStack()->undo();
    EXPECT_EQ(a->left(), 10);
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(window->captionText(), path("r.vtx") + QLatin1Char(' '));
    window->undoStack()->redo();
    EXPECT_EQ(a->left(), 12);
    EXPECT_TRUE(window->isModified());
}

TEST_F(DesignTest, EveryKindOfEditUndoesToAByteIdenticalFile)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    TRpLabel* b = addLabel("B", {80, 30, 40, 20});
    addLabel("C", {20, 5, 40, 20}, summary);
    ASSERT_TRUE(window->saveToFile(path("original.vrp")));
    const QByteArray original = testsupport::readFile(path("original.vrp"));

    click(at(a));
    click(at(b), Qt::ShiftModifier);
    drag(at(a), at(a) + QPoint(13, 7));                 // move
    key(Qt::Key_Down, Qt::ShiftModifier);               // resize by key
    window->align(5);                                   // align tops
    window->sendToBack();                               // restack: B ends below A
    window->copy();
    window->paste();                                    // paste
    key(Qt::Key_Delete);                                // delete the pasted copies
    click(at(summary, {200, 20}));
    window->selectControl(qobject_cast<TControl*>(window->document()->findComponent(u"C")));
    window->cut();                                      // cut
    const int steps = window->undoStack()->count();
    ASSERT_GE(steps, 7);

    for (int round = 0; round < 3; ++round) {
        while (window->undoStack()->canUndo())
            window->undoStack()->undo();
        EXPECT_FALSE(window->isModified());
        ASSERT_TRUE(window->saveToFile(path("undone.vrp")));
        EXPECT_EQ(testsupport::readFile(path("undone.vrp")), original) << "round " << round;
        while (window->undoStack()->canRedo())
            window->undoStack()->redo();
        EXPECT_TRUE(window->isModified());
        EXPECT_EQ(window->document()->findComponent(u"C"), nullptr);
    }
}

TEST_F(DesignTest, SavingOverAFileKeepsTheOldOneAsBackup)
{
    addLabel("A", {10, 10, 40, 20});
    ASSERT_TRUE(window->saveToFile(path("r.VRP")));
    const QByteArray first = testsupport::readFile(path("r.VRP"));
    addLabel("B", {80, 10, 40, 20});
    ASSERT_TRUE(window->saveToFile(path("r.VRP")));
    EXPECT_EQ(testsupport::readFile(path("r.~VR")), first);
    EXPECT_NE(testsupport::readFile(path("r.VRP")), first);
}

TEST_F(DesignTest, AFailedSaveSaysSoAndKeepsTheMarkAndTheFileName)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    ASSERT_TRUE(window->saveToFile(path("r.vtx")));
    click(at(a));
    key(Qt::Key_Right, Qt::ControlModifier);
    messages.clear();
    EXPECT_FALSE(window->saveToFile(path("missing-folder/r.vtx")));
    EXPECT_FALSE(messages.isEmpty());
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(window->fileName(), path("r.vtx"));
    EXPECT_FALSE(QFile::exists(path("missing-folder/r.vtx")));
}

TEST_F(DesignTest, LoadingADamagedFileShowsItsMessageAndKeepsTheDocument)
{
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    click(at(a));
    key(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_TRUE(testsupport::writeFile(path("bad.vrp"), QByteArray("Velmor File 4\nnot a stream at all")));
    messages.clear();
    EXPECT_FALSE(window->loadFromFile(path("bad.vrp")));
    EXPECT_FALSE(messages.isEmpty());
    EXPECT_EQ(window->document()->findComponent(u"A"), a);
    EXPECT_TRUE(window->isModified());
    EXPECT_TRUE(window->undoStack()->canUndo());
}

TEST_F(DesignTest, SaveAndReopenGivesTheSameReport)
{
    addLabel("A", {10, 10, 40, 20});
    addLabel("B", {30, 5, 60, 25}, summary);
    ASSERT_TRUE(window->saveToFile(path("r.vtx")));
    TVelDesignWindow* reopened = openWindow();
    ASSERT_TRUE(reopened->loadFromFile(path("r.vtx")));
    EXPECT_FALSE(reopened->isModified());
    auto* b = qobject_cast<TControl*>(reopened->document()->findComponent(u"B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->bounds(), QRect(30, 5, 60, 25));
    EXPECT_EQ(b->parentControl()->name(), QStringLiteral("Summary"));
    EXPECT_EQ(reopened->captionText(), path("r.vtx") + QLatin1Char(' '));
}

struct CloseCase {
    TYesNoCancel answer;
    bool closes;
    bool saved;
};

class CloseQuestion : public DesignTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, AnswersDecideWhetherTheWindowClosesAndTheFileIsWritten)
{
    const CloseCase c = GetParam();
    TRpLabel* a = addLabel("A", {10, 10, 40, 20});
    ASSERT_TRUE(window->saveToFile(path("r.vtx")));
    const QByteArray saved = testsupport::readFile(path("r.vtx"));
    click(at(a));
    key(Qt::Key_Right, Qt::ControlModifier);
    answer = c.answer;
    EXPECT_EQ(window->close(), c.closes);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Report has changed ! \n\rSave report now ?")});
    EXPECT_EQ(testsupport::readFile(path("r.vtx")) != saved, c.saved);
    EXPECT_EQ(window->isVisible(), !c.closes);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestion,
                         testing::Values(CloseCase{TYesNoCancel::Yes, true, true},
                                         CloseCase{TYesNoCancel::No, true, false},
                                         CloseCase{TYesNoCancel::Cancel, false, false}));

TEST_F(DesignTest, AnUnmodifiedWindowClosesWithoutAsking)
{
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(questions.isEmpty());
}
