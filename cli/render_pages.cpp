#include "cli/render_pages.h"

#include "core/error.h"
#include "core/exit_cleanup.h"
#include "core/output_file.h"
#include "engine/sink/rp_page_target.h"
#include "engine/sink/rp_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>

namespace cli {

namespace {

constexpr double kNativePerInch = 254.0;
constexpr double kDotsPerMetrePerDpi = 1000.0 / 25.4;
// Larger pages are refused before Qt is asked for an image it cannot allocate.
constexpr qint64 kLargestSide = 32767;
constexpr qint64 kLargestImageBytes = qint64(1) << 30;

QSize imageSize(const TRpPrinter& sink, int dpi)
{
    const QSize native = sink.pageSize();
    const double width = std::round(native.width() * double(dpi) / kNativePerInch);
    const double height = std::round(native.height() * double(dpi) / kNativePerInch);
    if (width < 1 || height < 1)
        throw EVelError(QStringLiteral("The page is too small for PNG pages at %1 dpi").arg(dpi));
    if (width > kLargestSide || height > kLargestSide || width * height * 4 > double(kLargestImageBytes))
        throw EVelError(QStringLiteral("The page is too large for PNG pages at %1 dpi (%2 x %3 pixels)")
                            .arg(dpi)
                            .arg(qint64(width))
                            .arg(qint64(height)));
    return {int(width), int(height)};
}

QImage renderPage(const TRpPrinter& sink, const QPicture& page, QSize size, int dpi)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw EVelError(QStringLiteral("There is not enough memory for a page of %1 x %2 pixels")
                            .arg(size.width())
                            .arg(size.height()));
    image.setDotsPerMeterX(int(std::lround(dpi * kDotsPerMetrePerDpi)));
    image.setDotsPerMeterY(int(std::lround(dpi * kDotsPerMetrePerDpi)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A picture plays back scaled from the resolution it reports to the image's; pages
    // recorded at another resolution (loaded files) need the difference on top.
    const double recorded = sink.factorX() * kNativePerInch;
    painter.scale(page.logicalDpiX() / recorded, page.logicalDpiY() / (sink.factorY() * kNativePerInch));
    painter.drawPicture(0, 0, page);
    painter.end();
    return image;
}

void writePng(const QImage& image, const QString& fileName)
{
    TVelOutputFile file(fileName);
    if (!file.openOutput() || !image.save(&file, "PNG") || !file.commit()) {
        const QString reason = file.failed() ? file.errorString() : QStringLiteral("the image cannot be coded");
        throw EVelError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason));
    }
}

// A folder that may be replaced as a whole: missing, or holding nothing but the pages of
// an earlier run.
bool holdsOnlyPages(const QString& dir)
{
    static const QRegularExpression page(QStringLiteral("^page-\\d+\\.png$"));
    const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!page.match(entry).hasMatch())
            return false;
    }
    return true;
}

// The folder the pages are written into before it takes the output's name; removed if
// the run fails or is killed.
class StagingFolder {
public:
    explicit StagingFolder(const QString& target)
    {
        const QFileInfo info(target);
        QByteArray name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                            + QStringLiteral(".XXXXXX"));
        if (!::mkdtemp(name.data()))
            throw EVelError(QStringLiteral("Cannot create a folder beside \"%1\": %2").arg(target, qt_error_string(errno)));
        m_path = QFile::decodeName(name);
        m_cleanup = exitcleanup::remember(m_path, true);
        // A private folder at first; once in place it has the rights of any new folder.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(name.constData(), 0777 & ~mask);
    }
    ~StagingFolder()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively();
        exitcleanup::forget(m_cleanup);
    }
    const QString& path() const { return m_path; }

    // Puts the folder in place of `target`; an old folder of pages goes in the same step.
    void moveTo(const QString& target)
    {
        const QByteArray from = QFile::encodeName(m_path);
        const QByteArray to = QFile::encodeName(target);
        const bool replacing = QFileInfo(target).isDir();
        const int flags = replacing ? RENAME_EXCHANGE : RENAME_NOREPLACE;
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags) != 0)
            throw EVelError(QStringLiteral("Cannot put the pages in place as \"%1\": %2").arg(target, qt_error_string(errno)));
        if (!replacing)
            m_path.clear(); // the old pages now sit at the staging name and go with it
    }

private:
    QString m_path;
    int m_cleanup = -1;
};

} // namespace

int writePngPages(const TRpPrinter& sink, const QString& folder, int dpi)
{
    const QString dir = QDir::cleanPath(folder); // "out/" names the folder out
    const QFileInfo target(dir);
    if (target.exists() && !target.isDir())
        throw EVelError(QStringLiteral("\"%1\" is not a folder").arg(dir));
    if (target.isDir() && !holdsOnlyPages(dir))
        throw EVelError(
            QStringLiteral("The folder \"%1\" holds files other than pages; PNG pages go to a new folder or one of earlier pages")
                .arg(dir));
    if (sink.pagesAvailable() < 1)
        throw EVelError(QStringLiteral("The report has no pages; no PNG pages were written to \"%1\"").arg(dir));
    const QSize size = imageSize(sink, dpi);
    if (!QDir().mkpath(target.absolutePath()))
        throw EVelError(QStringLiteral("Cannot create the folder \"%1\"").arg(target.absolutePath()));
    StagingFolder staging(dir);
    int written = 0;
    for (int number = 1; number <= sink.pagesAvailable(); ++number) {
        const std::optional<QPicture> page = sink.page(number);
        if (!page)
            break;
        const QString fileName = QStringLiteral("page-%1.png").arg(number, 3, 10, QLatin1Char('0'));
        writePng(renderPage(sink, *page, size, dpi), QDir(staging.path()).filePath(fileName));
        ++written;
    }
    staging.moveTo(dir);
    return written;
}

void writePdfPages(const TRpPrinter& sink, const QString& fileName)
{
    if (sink.pagesAvailable() < 1)
        throw EVelError(QStringLiteral("The prepared report has no pages; no PDF was written to \"%1\"").arg(fileName));
    TRpPdfTarget target(fileName);
    sink.printPages(target, sink.settings());
}

std::unique_ptr<TRpPageTarget> printerTarget(const QString& printerName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printerName.isEmpty()) {
        if (QPrinterInfo::printerInfo(printerName).isNull())
            throw EVelError(QStringLiteral("There is no printer \"%1\"").arg(printerName));
        printer->setPrinterName(printerName);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        throw EVelError(QStringLiteral("There is no default printer"));
    }
    return std::make_unique<TRpPrinterTarget>(std::move(printer));
}

void printPages(const TRpPrinter& sink, const QString& printerName)
{
    std::unique_ptr<TRpPageTarget> target = printerTarget(printerName);
    sink.printPages(*target, sink.settings());
}

} // namespace cli
