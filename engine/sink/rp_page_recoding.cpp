#include "engine/sink/rp_page_recoding.h"

#include "engine/sink/rp_errors.h"

#include "core/output_file.h"

std::unique_ptr<TRpPageList> rpRecodedPages(const TRpPageList& pages, bool compressed)
{
    auto recoded = std::make_unique<TRpPageList>(compressed);
    const TRpPreparedHeader header = pages.header();
    recoded->setPageGeometry(header.dpiX, header.dpiY, header.pageWidth, header.pageLength);
    for (int number = 1; number <= pages.count(); ++number)
        recoded->append(*pages.page(number));
    recoded->finish();
    return recoded;
}

void rpWritePageList(const TRpPageList& pages, const QString& fileName)
{
    TVelOutputFile file(fileName);
    if (file.openOutput() && pages.copyTo(file) && file.commit())
        return;
    const QString reason = file.failed() ? file.errorString() : QStringLiteral("the pages could not be read back");
    throw ERpPrinterError(QStringLiteral("Cannot save the report to \"%1\": %2").arg(fileName, reason));
}
