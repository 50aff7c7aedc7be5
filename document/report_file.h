// Report and datamodule files. A report file (VRP binary, VTX text) starts with the
// header "Velmor File 4", the report title and one entry per datamodule link (name and
// file path), ended by an empty entry; the document root's component stream follows.
// A datamodule file (VDM) is the text form of the datamodule's stream, without header.
#pragma once

#include "core/stream/stream_object.h"
#include "document/file_kind.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class TfrmVelDesign;
class TVelDataModule;

namespace reportfile {

inline constexpr char kMagic[] = "Velmor File";
inline constexpr int kHeaderSize = 13;
inline constexpr int kVersion = 4;

struct TDataModuleEntry {
    QString name;
    QString path;
    friend bool operator==(const TDataModuleEntry&, const TDataModuleEntry&) = default;
};

// A report file taken apart, before anything of a document is touched.
struct TReportFileContents {
    int version = -1; // -1 without header; 0 for an old header whose digit is not a digit
    QString title;
    QList<TDataModuleEntry> entries;
    TStreamObject root;
    // Without header or with a header below version 3 the document opens as modified.
    bool opensModified() const { return version < 3; }
};

// The bytes of a report file of the document (binary or text form).
QByteArray encodeReport(TfrmVelDesign& document, bool textForm);
// Takes report file bytes apart; `kind` decides the text form and the DFM resource.
// Raises EVelError (EStreamError) for a file that cannot be read.
TReportFileContents decodeReport(const QByteArray& bytes, TVelFileKind kind);

// Writes the document in the form the extension selects: VTX text, DFM the form-source
// export, anything else binary. Clears the modified mark first. Raises on failure.
void saveReport(TfrmVelDesign& document, const QString& fileName);

// Reads the whole file and checks it before the document is cleared and filled, so a
// file that cannot be read leaves the open document as it was. Resolves the header's
// datamodules. Raises on failure.
void loadReport(TfrmVelDesign& document, const QString& fileName);
// The same from bytes already read; `fileName` gives the kind and the folder searched
// for datamodules.
void loadReportBytes(TfrmVelDesign& document, const QByteArray& bytes, const QString& fileName);

// The datamodule of a header entry: one already loaded under that name, else what the
// loader gives. A top-level component of that name that is not a datamodule is reported
// and gives none.
TVelDataModule* resolveDataModule(const TDataModuleEntry& entry, const QString& searchDirectory);

// The hook that loads the datamodule of an entry that is not loaded yet.
using DataModuleLoader = std::function<TVelDataModule*(const QString& searchDirectory, const QString& path)>;
DataModuleLoader setDataModuleLoader(DataModuleLoader loader);
// The default: a new datamodule owned by the application, filled from the path, or
// from a file of the same name in the search directory or the program's folder.
TVelDataModule* defaultDataModuleLoader(const QString& searchDirectory, const QString& path);

// Reads a VDM file into the datamodule; shows the error and returns false on failure
// ("DataModule with same name already loaded : %S" when its name is in use).
bool loadDataModule(TVelDataModule& dataModule, const QString& fileName);
// Writes the datamodule to the file (backup first) and takes the file name.
void saveDataModule(TVelDataModule& dataModule, const QString& fileName);

} // namespace reportfile
