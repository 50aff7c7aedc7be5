#include "design/question_window.h"

#include "document/document_messages.h"
#include "document/report_file.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "design/design_window.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

QPushButton* buttonWithText(QWidget& window, const QString& text)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

QString shownText(QWidget& window)
{
    QStringList texts;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts.append(label->text());
    return texts.join(QLatin1Char('|'));
}

// Answers every question with a fixed answer and records the texts asked.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(TYesNoCancel answer)
    {
        m_previous = setYesNoCancelAnswerer([this, answer](const QString& text) {
            asked.append(text);
            return answer;
        });
    }
    ~ScriptedAnswers() { setYesNoCancelAnswerer(m_previous); }
    QStringList asked;

private:
    TYesNoCancelAnswerer m_previous;
};

} // namespace

TEST(QuestionWindow, EachButtonClosesWithItsAnswer)
{
    const std::pair<const char*, TYesNoCancel> cases[] = {
        {"&Yes", TYesNoCancel::Yes}, {"&No", TYesNoCancel::No}, {"&Cancel", TYesNoCancel::Cancel}};
    for (const auto& [caption, answer] : cases) {
        TfrmYNC window;
        window.open();
        QPushButton* button = buttonWithText(window, QString::fromLatin1(caption));
        ASSERT_NE(button, nullptr) << caption;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible()) << caption;
        EXPECT_EQ(window.answer(), answer) << caption;
    }
}

TEST(QuestionWindow, EscapeCancelsAndTheDefaultTextIsTheReportQuestion)
{
    TfrmYNC window;
    window.open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Question"));
    EXPECT_TRUE(shownText(window).contains(QStringLiteral("Report has changed ! \nSave report now ?")))
        << shownText(window).toStdString();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.answer(), TYesNoCancel::Cancel);
}

TEST(QuestionWindow, ACallersTextReplacesTheDefault)
{
    TfrmYNC window(nullptr, QStringLiteral("First line\n\rsecond line"));
    EXPECT_TRUE(shownText(window).contains(QStringLiteral("First line\nsecond line")));
    EXPECT_FALSE(shownText(window).contains(QStringLiteral("Report has changed")));
}

TEST(QuestionWindow, DataModuleTextNamesItOnTheFirstLine)
{
    EXPECT_EQ(dataModuleChangedText(QStringLiteral("DM1")), QStringLiteral("Datamodule DM1 has changed.\n\rSave ?"));
}

class DataModuleQuestion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dataModule = TVelApplication::instance().createDataModule();
        dataModule->setName(QStringLiteral("DM1"));
        dataModule->markModified();
        previousChooser = setDataModuleFileChooser([this](TVelDataModule&, QWidget*) { return chosenFile; });
        previousMessages = docmessages::setHandler([this](const QString& text) { messages.append(text); });
    }
    void TearDown() override
    {
        setDataModuleFileChooser(previousChooser);
        docmessages::setHandler(previousMessages);
        TVelApplication::instance().closeAll();
    }

    QTemporaryDir dir;
    TVelDataModule* dataModule = nullptr;
    QString chosenFile;
    QStringList messages;
    TDataModuleFileChooser previousChooser;
    docmessages::Handler previousMessages;
};

TEST_F(DataModuleQuestion, YesSavesUnderTheChosenNameAndGoesOn)
{
    chosenFile = dir.filePath(QStringLiteral("dm1.VDM"));
    ScriptedAnswers answers(TYesNoCancel::Yes);
    EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Yes);
    ASSERT_EQ(answers.asked.size(), 1);
    EXPECT_EQ(answers.asked[0], QStringLiteral("Datamodule DM1 has changed.\n\rSave ?"));
    EXPECT_TRUE(QFileInfo::exists(chosenFile));
    EXPECT_FALSE(dataModule->isModified());
}

TEST_F(DataModuleQuestion, YesWithoutAChosenFileStops)
{
    ScriptedAnswers answers(TYesNoCancel::Yes);
    EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Cancel);
    EXPECT_TRUE(dataModule->isModified());
}

TEST_F(DataModuleQuestion, NoGoesOnWithoutSavingAndCancelStops)
{
    chosenFile = dir.filePath(QStringLiteral("dm1.VDM"));
    {
        ScriptedAnswers answers(TYesNoCancel::No);
        EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Yes);
    }
    {
        ScriptedAnswers answers(TYesNoCancel::Cancel);
        EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Cancel);
    }
    EXPECT_FALSE(QFileInfo::exists(chosenFile));
}

TEST_F(DataModuleQuestion, AnUnmodifiedDataModuleIsNotAsked)
{
    dataModule->clearModified();
    ScriptedAnswers answers(TYesNoCancel::Cancel);
    EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Yes);
    EXPECT_TRUE(answers.asked.isEmpty());
}

TEST_F(DataModuleQuestion, ADataModuleAnOpenReportLinksStaysOpenWithoutAsking)
{
    dataModule->clearModified();
    TVelDesignWindow report;
    auto* link = new TVelDataModuleLink(report.document());
    link->setDataModule(dataModule);
    ScriptedAnswers answers(TYesNoCancel::Yes);
    report.show();
    EXPECT_EQ(askSaveDataModule(*dataModule), TYesNoCancel::Cancel);
    EXPECT_TRUE(answers.asked.isEmpty());
}
