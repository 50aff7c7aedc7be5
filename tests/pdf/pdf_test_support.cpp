#include "pdf_test_support.h"

#include "engine/pdf/rp_pdf_device.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace pdftest {

bool writePdf(const QString& fileName, const QList<TPageDrawing>& pages, const QSizeF& pageMillimetres, int resolution)
{
    TRpPdfDevice device;
    if (!device.begin(fileName, pageMillimetres, resolution, QStringLiteral("Test"), QStringLiteral("velmor tests"))) {
        ADD_FAILURE() << device.errorString().toStdString();
        return false;
    }
    {
        QPainter painter(&device);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            if (i > 0)
                device.newPage();
            painter.save();
            pages[i](painter, device);
            painter.restore();
        }
    }
    if (!device.end()) {
        ADD_FAILURE() << device.errorString().toStdString();
        return false;
    }
    return true;
}

TToolResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    TToolResult result;
    if (!process.waitForFinished(60000)) {
        result.output = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

QString pdfText(const QString& fileName)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), fileName,
                                                 QStringLiteral("-")})
        .output;
}

QString pdfInfo(const QString& fileName, const QString& field, int page)
{
    QStringList arguments;
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << fileName;
    const QString output = runTool(QStringLiteral("pdfinfo"), arguments).output;
    const QString label = page > 0 ? QStringLiteral("Page %1 %2").arg(page, 4).arg(field.toLower()) : field;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (line.startsWith(label + QLatin1Char(':'), Qt::CaseInsensitive))
            return line.mid(label.size() + 1).trimmed();
    }
    return {};
}

QImage renderPage(const QString& fileName, int resolution)
{
    const QString prefix = fileName + QStringLiteral(".render");
    const TToolResult result = runTool(QStringLiteral("pdftoppm"),
                                       {QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-aa"),
                                        QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                                        QStringLiteral("-singlefile"), QStringLiteral("-png"), fileName, prefix});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QByteArray uncompressedContent(const QString& fileName)
{
    const QString expanded = fileName + QStringLiteral(".qdf");
    runTool(QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), fileName,
                                     expanded});
    QFile file(expanded);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray whole = file.readAll();
    // Keep only the page content streams, which qpdf marks with a comment.
    QByteArray content;
    qsizetype at = whole.indexOf("%% Contents for page");
    while (at >= 0) {
        const qsizetype start = whole.indexOf("stream\n", at);
        const qsizetype end = whole.indexOf("endstream", start);
        if (start < 0 || end < 0)
            break;
        content += whole.mid(start + 7, end - start - 7);
        at = whole.indexOf("%% Contents for page", end);
    }
    return content;
}

} // namespace pdftest
