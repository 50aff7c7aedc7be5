#include "engine/sink/rp_printer_settings.h"

bool TRpPrinterSettings::includesPage(int page) const
{
    if (firstPage <= 0 && lastPage <= 0)
        return true;
    const int first = firstPage > 0 ? firstPage : 1;
    return page >= first && (lastPage <= 0 || page <= lastPage);
}
