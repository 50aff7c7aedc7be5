#include "engine/pdf/rp_pdf_document.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kMillimetresPerInch = 25.4;
// Room for one typical report page, so the content buffer does not regrow on each page.
constexpr size_t kPageReserve = 64 * 1024;

int decimalsFor(int resolution)
{
    const double pointsPerUnit = kPointsPerInch / resolution;
    int decimals = 1;
    while (decimals < 3 && std::pow(10.0, -decimals) * pointsPerUnit > 0.01)
        ++decimals;
    return decimals;
}

QByteArray pdfDate(const QDateTime& time)
{
    const int offsetMinutes = time.offsetFromUtc() / 60;
    const QChar sign = offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const QString text = QStringLiteral("D:%1%2%3'%4'")
                             .arg(time.toString(QStringLiteral("yyyyMMddHHmmss")), sign)
                             .arg(std::abs(offsetMinutes) / 60, 2, 10, QLatin1Char('0'))
                             .arg(std::abs(offsetMinutes) % 60, 2, 10, QLatin1Char('0'));
    return text.toLatin1();
}

} // namespace

TRpPdfDocument::TRpPdfDocument() : m_resources(std::make_unique<TRpPdfResources>(m_file))
{
}

bool TRpPdfDocument::begin(const QString& fileName, const QSizeF& pageSizeMillimetres, int resolution,
                           const QString& title, const QString& creator)
{
    abort();
    m_error.clear();
    if (resolution <= 0 || !(pageSizeMillimetres.width() > 0) || !(pageSizeMillimetres.height() > 0)) {
        m_error = QStringLiteral("Cannot write the PDF file \"%1\": the page size or resolution is not valid")
                      .arg(fileName);
        return false;
    }
    if (!m_file.open(fileName)) {
        m_error = m_file.errorString();
        return false;
    }
    m_resolution = resolution;
    m_decimals = decimalsFor(resolution);
    m_pageSize = pageSizeMillimetres / kMillimetresPerInch * resolution;
    m_title = title;
    m_creator = creator;
    m_pages.clear();
    m_resources = std::make_unique<TRpPdfResources>(m_file);
    m_catalogue = m_file.reserveObject();
    m_pageTree = m_file.reserveObject();
    m_resourceObject = m_file.reserveObject();
    m_info = m_file.reserveObject();
    m_open = true;
    m_content.bytes().reserve(kPageReserve);
    startPage();
    return true;
}

void TRpPdfDocument::startPage()
{
    m_content.start(m_pageSize.height(), kPointsPerInch / m_resolution, m_decimals);
}

void TRpPdfDocument::finishPage()
{
    while (m_content.saveDepth() > 0)
        m_content.restore();
    const int contents = m_file.reserveObject();
    const TRpPdfBytes& bytes = m_content.bytes();
    m_file.writeStream(contents, {}, bytes.data(), bytes.size());

    const int page = m_file.reserveObject();
    m_file.beginObject(page);
    TRpPdfBytes& out = m_file.body();
    out << "<</Type/Page/Parent ";
    out.appendInt(m_pageTree);
    out << " 0 R/MediaBox[0 0 ";
    out.appendReal(m_pageSize.width() * kPointsPerInch / m_resolution, 2);
    out << ' ';
    out.appendReal(m_pageSize.height() * kPointsPerInch / m_resolution, 2);
    out << "]/Resources ";
    out.appendInt(m_resourceObject);
    out << " 0 R/Contents ";
    out.appendInt(contents);
    out << " 0 R>>";
    m_file.endObject();
    m_pages.push_back(page);
}

bool TRpPdfDocument::newPage()
{
    if (!m_open)
        return false;
    finishPage();
    startPage();
    return !m_file.failed();
}

void TRpPdfDocument::writeCatalogue()
{
    m_file.beginObject(m_catalogue);
    TRpPdfBytes& catalogue = m_file.body();
    catalogue << "<</Type/Catalog/Pages ";
    catalogue.appendInt(m_pageTree);
    catalogue << " 0 R>>";
    m_file.endObject();

    m_file.beginObject(m_pageTree);
    TRpPdfBytes& tree = m_file.body();
    tree << "<</Type/Pages/Count ";
    tree.appendInt(static_cast<int64_t>(m_pages.size()));
    tree << "/Kids[";
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (i > 0)
            tree << (i % 16 == 0 ? '\n' : ' ');
        tree.appendInt(m_pages[i]);
        tree << " 0 R";
    }
    tree << "]>>";
    m_file.endObject();

    m_file.beginObject(m_info);
    TRpPdfBytes& info = m_file.body();
    info << "<</Title";
    info.appendTextString(m_title);
    info << "/Creator";
    info.appendTextString(m_creator);
    info << "/Producer";
    info.appendTextString(QStringLiteral("Velmor"));
    info << "/CreationDate(" << pdfDate(QDateTime::currentDateTime()) << ")>>";
    m_file.endObject();
}

bool TRpPdfDocument::end()
{
    if (!m_open)
        return false;
    m_open = false;
    finishPage();
    m_resources->write(m_resourceObject);
    writeCatalogue();
    const bool committed = m_file.commit(m_catalogue, m_info);
    if (!committed)
        m_error = m_file.errorString();
    return committed;
}

void TRpPdfDocument::abort()
{
    m_open = false;
    m_file.cancel();
}

QString TRpPdfDocument::errorString() const
{
    return m_error.isEmpty() ? m_file.errorString() : m_error;
}
