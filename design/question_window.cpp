#include "design/question_window.h"

#include "core/error.h"
#include "core/strings/ui_strings.h"
#include "design/design_window.h"
#include "document/document_messages.h"
#include "document/report_file.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kCaptionId = 33284;
constexpr int kYesId = 33280;
constexpr int kNoId = 33282;
constexpr int kCancelId = 33266;
constexpr int kReportChangedId = 33028;
constexpr int kDataModuleChangedId = 33392;

TYesNoCancelAnswerer& answerer()
{
    static TYesNoCancelAnswerer instance;
    return instance;
}

QString chooseDataModuleFile(TVelDataModule& dataModule, QWidget* parent)
{
    (void)dataModule;
    QString name = QFileDialog::getSaveFileName(parent, LoadMessageString(33039), {},
                                                QStringLiteral("Velmor DataModule (*.VDM *.vdm)"));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".VDM");
    return name;
}

TDataModuleFileChooser& fileChooser()
{
    static TDataModuleFileChooser instance = chooseDataModuleFile;
    return instance;
}

// Message texts break lines with LF CR; a label shows one line break for the pair.
QString displayText(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool saveDataModuleAsked(TVelDataModule& dataModule, QWidget* parent)
{
    QString fileName = dataModule.fileName();
    if (fileName.isEmpty())
        fileName = fileChooser()(dataModule, parent);
    if (fileName.isEmpty())
        return false;
    try {
        reportfile::saveDataModule(dataModule, fileName);
        dataModule.clearModified();
        return true;
    } catch (const EVelError& error) {
        docmessages::show(error.message());
        return false;
    }
}

bool linkedByOpenReport(const TVelDataModule& dataModule)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<TVelDesignWindow*>(widget);
        if (!window || window->isClosing() || !window->document())
            continue;
        for (TVelDataModuleLink* link : window->document()->dataModuleLinks())
            if (link->dataModule() == &dataModule)
                return true;
    }
    return false;
}

} // namespace

TfrmYNC::TfrmYNC(QWidget* parent, const QString& text)
    : QDialog(parent)
    , m_text(text.isEmpty() ? LoadMessageString(kReportChangedId) : text)
{
    setObjectName(QStringLiteral("frmYNC"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    m_picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_textLabel = new QLabel(this);
    m_textLabel->setObjectName(QStringLiteral("Label1"));
    m_textLabel->setWordWrap(true);
    m_textLabel->setMinimumSize(175, 49);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_textLabel->setTextFormat(Qt::PlainText);

    m_yes = new QPushButton(this);
    m_yes->setObjectName(QStringLiteral("btnYes"));
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("btnNo"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, [this] { answerWith(TYesNoCancel::Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { answerWith(TYesNoCancel::No); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { answerWith(TYesNoCancel::Cancel); });

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(m_picture);
    textRow->addWidget(m_textLabel, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_yes);
    buttonRow->addWidget(m_no);
    buttonRow->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow, 1);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(247, 99);

    relabel();
}

void TfrmYNC::setText(const QString& text)
{
    m_text = text;
    m_textLabel->setText(displayText(m_text));
}

void TfrmYNC::relabel()
{
    setWindowTitle(LoadUiString(kCaptionId));
    m_yes->setText(LoadUiString(kYesId));
    m_no->setText(LoadUiString(kNoId));
    m_cancel->setText(LoadUiString(kCancelId));
    m_textLabel->setText(displayText(m_text));
}

void TfrmYNC::reject()
{
    m_answer = TYesNoCancel::Cancel;
    QDialog::reject();
}

void TfrmYNC::answerWith(TYesNoCancel answer)
{
    m_answer = answer;
    if (answer == TYesNoCancel::Cancel)
        QDialog::reject();
    else
        accept();
}

TYesNoCancel askYesNoCancel(QWidget* parent, const QString& text)
{
    if (answerer())
        return answerer()(text.isEmpty() ? LoadMessageString(kReportChangedId) : text);
    TfrmYNC window(parent, text);
    window.adjustSize();
    const QScreen* screen = parent ? parent->screen() : window.screen();
    window.move(screen->availableGeometry().center() - window.rect().center());
    window.exec();
    return window.answer();
}

TYesNoCancelAnswerer setYesNoCancelAnswerer(TYesNoCancelAnswerer newAnswerer)
{
    return std::exchange(answerer(), std::move(newAnswerer));
}

QString dataModuleChangedText(const QString& dataModuleName)
{
    QString text = LoadUiString(kDataModuleChangedId);
    text.replace(QStringLiteral("%S"), dataModuleName, Qt::CaseInsensitive);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar >= 0)
        text.replace(bar, 1, QStringLiteral("\n\r"));
    return text;
}

TYesNoCancel askSaveDataModule(TVelDataModule& dataModule, QWidget* parent)
{
    if (dataModule.isModified()) {
        switch (askYesNoCancel(parent, dataModuleChangedText(dataModule.name()))) {
        case TYesNoCancel::Cancel:
            return TYesNoCancel::Cancel;
        case TYesNoCancel::Yes:
            if (!saveDataModuleAsked(dataModule, parent))
                return TYesNoCancel::Cancel;
            break;
        case TYesNoCancel::No:
            break;
        }
    }
    return linkedByOpenReport(dataModule) ? TYesNoCancel::Cancel : TYesNoCancel::Yes;
}

TDataModuleFileChooser setDataModuleFileChooser(TDataModuleFileChooser chooser)
{
    return std::exchange(fileChooser(), chooser ? std::move(chooser) : TDataModuleFileChooser(chooseDataModuleFile));
}
