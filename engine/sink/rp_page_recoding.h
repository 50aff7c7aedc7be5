// Prepared report pages in another coding, and page lists written to files.
#pragma once

#include "engine/sink/rp_page_list.h"

#include <QString>

#include <memory>

// A new page list holding the same pages in the coding asked for (splay-coded or plain),
// with the header's recording resolution and page size.
std::unique_ptr<TRpPageList> rpRecodedPages(const TRpPageList& pages, bool compressed);

// Writes the page list's file image; raises ERpPrinterError when the file cannot be
// written, which leaves an existing file untouched.
void rpWritePageList(const TRpPageList& pages, const QString& fileName);
