// velmor: the report designer. Opens the files named on the command line; "/PREVIEW" and
// "/PRINT" (in any case) ask for a preview or a print of the opened report.
#include "app/command_line.h"
#include "app/main_window.h"
#include "data/data_notices.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/vel_application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

namespace {

TVelCommandLine readCommandLine(const QApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmor, the banded report designer."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Reports (VRP, VTX, RPE, DFM) and datamodules (VDM) to open; "
                                                "/PREVIEW or /PRINT to preview or print the opened report."),
                                 QStringLiteral("[files...] [/PREVIEW | /PRINT]"));
    parser.process(application);
    return interpretCommandLine(parser.positionalArguments());
}

void showMessageBox(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), shown);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmor"));
    QApplication::setApplicationVersion(QStringLiteral("5.0.2"));
    QApplication::setQuitOnLastWindowClosed(false);
    const TVelCommandLine commandLine = readCommandLine(application);

    classregistration::registerStorableClasses();
    docmessages::setHandler(showMessageBox);
    datanotices::setMessageDisplay(showMessageBox);
    datanotices::setExceptionDisplay(showMessageBox);
    datanotices::setBeep([] { QApplication::beep(); });

    int result = 0;
    {
        TfrmVelmor mainWindow;
        QObject::connect(&mainWindow, &TfrmVelmor::shutDown, &application, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        mainWindow.setCommandLine(commandLine);
        mainWindow.show();
        result = QApplication::exec();
    }
    TVelApplication::instance().closeAll();
    return result;
}
