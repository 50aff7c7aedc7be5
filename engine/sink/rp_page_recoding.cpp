#include "engine/sink/rp_page_recoding.h"

#include "engine/sink/rp_errors.h"

#include <QSaveFile>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !pages.copyTo(file) || !file.commit())
        throw ERpPrinterError(QStringLiteral("Cannot save the report to \"%1\": %2").arg(fileName, file.errorString()));
}
