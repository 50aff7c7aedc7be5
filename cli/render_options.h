// The runner's report options: which outputs one run writes, and the report or prepared
// report they come from.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace cli {

struct RenderOptions {
    QString input;
    QString pdf;
    QString pngDir;
    int dpi = 96;
    QString rpp;
    bool compress = false;
    QString exportFormat; // csv, html or txt
    QString exportFile;
    bool print = false;
    QString printer; // empty: the default printer
    QHash<QString, QString> params;
    bool quiet = false;

    // The single-file outputs asked for (PDF, prepared report, export), in that order.
    QStringList outputFiles() const;
};

} // namespace cli
