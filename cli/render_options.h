// The runner's report options: which outputs one run writes, and the report or prepared
// report they come from.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

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

    bool hasOutput() const { return !pdf.isEmpty() || !pngDir.isEmpty() || !rpp.isEmpty() || !exportFile.isEmpty() || print; }
};

// Reads the arguments; on wrong usage gives nothing and sets `error`.
std::optional<RenderOptions> parseRenderOptions(const QStringList& args, QString& error);

} // namespace cli
