// TfrmYNC: the yes/no/cancel question a document asks before it closes with unsaved
// changes, and the functions that ask it (for a report, and for a datamodule).
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class TVelDataModule;

enum class TYesNoCancel { Yes, No, Cancel };

class TfrmYNC : public QDialog {
    Q_OBJECT
public:
    // Without a text the window asks "Report has changed ! / Save report now ?".
    explicit TfrmYNC(QWidget* parent = nullptr, const QString& text = {});

    QString text() const { return m_text; }
    void setText(const QString& text);

    // The button the window was closed with; Escape and closing the window are Cancel.
    TYesNoCancel answer() const { return m_answer; }

    void relabel();

protected:
    void reject() override;

private:
    void answerWith(TYesNoCancel answer);

    QLabel* m_picture = nullptr;
    QLabel* m_textLabel = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_text;
    TYesNoCancel m_answer = TYesNoCancel::Cancel;
};

// Shows the question modally and answers with the button chosen. An empty text asks the
// report question.
TYesNoCancel askYesNoCancel(QWidget* parent = nullptr, const QString& text = {});

// Answers the questions without showing a window while set (tests, the headless runner).
// Receives the text the window would show. Returns the previous answerer.
using TYesNoCancelAnswerer = std::function<TYesNoCancel(const QString& text)>;
TYesNoCancelAnswerer setYesNoCancelAnswerer(TYesNoCancelAnswerer answerer);

// "Datamodule DM1 has changed." and "Save ?" on two lines.
QString dataModuleChangedText(const QString& dataModuleName);

// Whether a datamodule may be closed. A modified one asks whether to save it: Yes saves
// (asking for a file name when it has none) and goes on only when it was saved, No goes on
// without saving, Cancel stops. A datamodule that an open report still links stops the
// close as well. Answers Yes (go on) or Cancel (stop).
TYesNoCancel askSaveDataModule(TVelDataModule& dataModule, QWidget* parent = nullptr);

// Where askSaveDataModule saves a datamodule without a file name; the default asks with a
// save dialog ("Velmor DataModule|*.VDM"). An empty answer means no file was chosen.
using TDataModuleFileChooser = std::function<QString(TVelDataModule& dataModule, QWidget* parent)>;
TDataModuleFileChooser setDataModuleFileChooser(TDataModuleFileChooser chooser);
