#include "document/report_file.h"

#include "core/global_names.h"
#include "core/stream/binary_stream.h"
#include "core/stream/byte_buffer.h"
#include "core/stream/component_stream.h"
#include "core/stream/stored_text.h"
#include "core/stream/stream_error.h"
#include "core/stream/text_stream.h"
#include "document/document_messages.h"
#include "document/file_writing.h"
#include "document/form_resource.h"
#include "document/form_source_export.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_design.h"
#include "engine/rp_report.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

namespace reportfile {

namespace {

const QByteArray kLineEnd("\n\r");

QString headerLineText(QString text)
{
    // The header's lines cannot hold line breaks of their own.
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QList<TDataModuleEntry> documentEntries(const TfrmVelDesign& document)
{
    QList<TDataModuleEntry> entries;
    for (TVelDataModuleLink* link : document.dataModuleLinks()) {
        // A link without a datamodule would read as the end of the entries.
        if (TVelDataModule* dataModule = link->dataModule()) {
            const QString file = dataModule->fileName();
            entries.append({dataModule->name(), file.isEmpty() ? file : QFileInfo(file).absoluteFilePath()});
        }
    }
    return entries;
}

// The header's texts are 8-bit. A text the code page cannot carry (a path or a title
// in another script) is written as the UTF-8 byte order mark and its UTF-8 bytes: as
// 8-bit text the mark would be the three characters "ï»¿", which no title or path
// starts with, so older files read as they always did.
const QByteArray kUtf8Mark("\xEF\xBB\xBF");

QByteArray headerBytes(const QString& text)
{
    if (storedtext::fitsEightBit(text)) {
        const QByteArray bytes = storedtext::encode(text);
        if (!bytes.startsWith(kUtf8Mark))
            return bytes;
    }
    return kUtf8Mark + text.toUtf8();
}

QString headerText(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Mark)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
        if (!utf8.hasError())
            return text;
    }
    return storedtext::decode(bytes);
}

// The binary header frames each text with a 16-bit length. The title is kept in the
// component stream as well, so a title too long for its frame is shortened there;
// a name or path is never shortened.
void writeShortText(TByteWriter& writer, const QByteArray& bytes, const QString& text)
{
    if (bytes.size() > 0xFFFF)
        throw EVelError(QStringLiteral("Text too long for the report file header: %1...").arg(text.left(60)));
    writer.writeInt16(qint16(quint16(bytes.size())));
    writer.writeBytes(bytes);
}

void writeShortText(TByteWriter& writer, const QString& text)
{
    writeShortText(writer, headerBytes(text), text);
}

QByteArray titleBytes(const QString& title)
{
    QString text = title;
    QByteArray bytes = headerBytes(text);
    while (bytes.size() > 0xFFFF) {
        text.chop(std::max<qsizetype>(1, text.size() / 8));
        bytes = headerBytes(text);
    }
    return bytes;
}

QString readShortText(TByteReader& reader)
{
    const quint16 length = quint16(reader.readInt16());
    return headerText(reader.readBytes(length));
}

// A header line of the text form: bytes up to LF CR or CR LF, which are dropped.
QString readHeaderLine(TByteReader& reader)
{
    QByteArray line;
    for (;;) {
        if (reader.atEnd())
            throw EStreamError(QStringLiteral("Invalid report file header"));
        line.append(char(reader.readByte()));
        if (line.endsWith("\n\r") || line.endsWith("\r\n")) {
            line.chop(2);
            return headerText(line);
        }
    }
}

bool startsAsText(const QByteArray& bytes, qsizetype position)
{
    const QByteArray start = bytes.mid(position, 16).trimmed().toLower();
    return start.startsWith("object") || start.startsWith("inherited") || start.startsWith("inline");
}

// A stream of a file without (current) header: a component stream at the position,
// else the file as a form resource, else the text form.
TStreamObject readLegacyStream(const QByteArray& bytes, qsizetype position, TVelFileKind kind)
{
    if (kind == TVelFileKind::Dfm && !formresource::looksLikeResource(bytes) && startsAsText(bytes, 0))
        return textstream::read(bytes);
    if (kind == TVelFileKind::Dfm)
        return binarystream::read(bytes, formresource::streamStart(bytes));
    try {
        return binarystream::read(bytes, position);
    } catch (const EStreamError& first) {
        if (formresource::looksLikeResource(bytes))
            return binarystream::read(bytes, formresource::streamStart(bytes));
        if (startsAsText(bytes, position))
            return textstream::read(bytes.mid(position));
        throw;
    }
}

DataModuleLoader& loader()
{
    static DataModuleLoader current = defaultDataModuleLoader;
    return current;
}

QString fileNameOf(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

// A file of that name in the folder, matched without regard to case as files written
// on other systems may differ in case.
QString findInDirectory(const QString& directory, const QString& fileName)
{
    if (directory.isEmpty() || fileName.isEmpty())
        return {};
    const QDir dir(directory);
    if (dir.exists(fileName))
        return dir.absoluteFilePath(fileName);
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    }
    return {};
}

// The application's top-level components by name (without regard to case), taken once
// for all the entries of a header, so that a header of thousands of entries does not
// search the whole list for each. Components that come in while the entries are
// resolved are added; the first of a name wins, as in the list.
class TopLevelNames {
public:
    TopLevelNames()
    {
        for (TComponent* component : TVelApplication::instance().topLevel())
            add(component);
    }

    TComponent* find(const QString& name) const
    {
        return name.isEmpty() ? nullptr : m_byName.value(name.toCaseFolded());
    }

    void add(TComponent* component)
    {
        if (!component || component->name().isEmpty())
            return;
        const QString key = component->name().toCaseFolded();
        if (!m_byName.contains(key))
            m_byName.insert(key, component);
    }

private:
    QHash<QString, TComponent*> m_byName;
};

TVelDataModule* resolveDataModule(const TDataModuleEntry& entry, const QString& searchDirectory, TopLevelNames& names)
{
    if (entry.name.isEmpty() && entry.path.isEmpty())
        return nullptr;
    TComponent* existing = names.find(entry.name);
    if (!existing) {
        TVelDataModule* loaded = loader() ? loader()(searchDirectory, entry.path) : nullptr;
        names.add(loaded);
        return loaded;
    }
    if (auto* dataModule = qobject_cast<TVelDataModule*>(existing))
        return dataModule;
    docmessages::show(
        QStringLiteral("DataModule %1 not loaded.\n\rObject with the same name already loaded").arg(entry.name));
    return nullptr;
}

void addLegacyLink(TfrmVelDesign& document, TVelDataModule* dataModule)
{
    auto* link = new TVelDataModuleLink(&document);
    link->setDataModule(dataModule);
}

} // namespace

QByteArray encodeReport(TfrmVelDesign& document, bool textForm)
{
    const QString title = document.report() ? document.report()->reportTitle() : QString();
    const QList<TDataModuleEntry> entries = documentEntries(document);
    const QByteArray stream = componentstream::writeRoot(&document);

    TByteWriter writer;
    writer.writeBytes(QByteArray(kMagic) + ' ' + QByteArray::number(kVersion));
    if (textForm) {
        writer.writeBytes(kLineEnd);
        writer.writeBytes(headerBytes(headerLineText(title)) + kLineEnd);
        for (const TDataModuleEntry& entry : entries) {
            writer.writeBytes(headerBytes(headerLineText(entry.name)) + kLineEnd);
            writer.writeBytes(headerBytes(headerLineText(entry.path)) + kLineEnd);
        }
        writer.writeBytes(kLineEnd + kLineEnd);
        writer.writeBytes(textstream::write(binarystream::read(stream)));
    } else {
        writeShortText(writer, titleBytes(title), title);
        for (const TDataModuleEntry& entry : entries) {
            writeShortText(writer, entry.name);
            writeShortText(writer, entry.path);
        }
        writer.writeInt32(0);
        writer.writeBytes(stream);
    }
    return writer.take();
}

TReportFileContents decodeReport(const QByteArray& bytes, TVelFileKind kind)
{
    TReportFileContents contents;
    TByteReader reader(bytes);
    if (bytes.size() >= kHeaderSize && bytes.startsWith(kMagic)) {
        const char digit = bytes.at(kHeaderSize - 1);
        contents.version = digit >= '0' && digit <= '9' ? digit - '0' : 0;
        reader.seek(kHeaderSize);
    }
    const bool textForm = kind == TVelFileKind::Vtx && contents.version >= 3;
    if (textForm)
        readHeaderLine(reader); // the rest of the magic line
    if (contents.version >= 4)
        contents.title = textForm ? readHeaderLine(reader) : readShortText(reader);
    if (contents.version >= 3) {
        for (;;) {
            TDataModuleEntry entry;
            entry.name = textForm ? readHeaderLine(reader) : readShortText(reader);
            entry.path = textForm ? readHeaderLine(reader) : readShortText(reader);
            if (entry.name.isEmpty() && entry.path.isEmpty())
                break;
            contents.entries.append(entry);
        }
    } else if (contents.version >= 0) {
        TDataModuleEntry entry;
        entry.name = readShortText(reader);
        entry.path = readShortText(reader);
        contents.entries.append(entry);
    }
    if (textForm)
        contents.root = textstream::read(bytes.mid(reader.position()));
    else if (contents.version >= 3)
        contents.root = binarystream::read(bytes, reader.position());
    else
        contents.root = readLegacyStream(bytes, reader.position(), kind);
    return contents;
}

void saveReport(TfrmVelDesign& document, const QString& fileName)
{
    document.clearModifiedMark();
    const TVelFileKind kind = filekind::of(fileName);
    if (kind == TVelFileKind::Dfm) {
        formsource::exportForm(document, fileName);
        return;
    }
    filewriting::writeWithBackup(fileName, encodeReport(document, kind == TVelFileKind::Vtx));
}

void loadReport(TfrmVelDesign& document, const QString& fileName)
{
    loadReportBytes(document, filewriting::readAll(fileName), fileName);
}

void loadReportBytes(TfrmVelDesign& document, const QByteArray& bytes, const QString& fileName)
{
    const TVelFileKind kind = filekind::of(fileName);
    if (kind == TVelFileKind::Rpp)
        throw EVelError(QStringLiteral("\"%1\" is a prepared report; it opens in a preview window").arg(fileName));
    if (kind == TVelFileKind::Vdm)
        throw EVelError(QStringLiteral("\"%1\" is a datamodule, not a report").arg(fileName));
    const TReportFileContents contents = decodeReport(bytes, kind);
    componentstream::checkClasses(contents.root);

    const QString folder = QFileInfo(fileName).absolutePath();
    QList<TVelDataModule*> dataModules;
    TopLevelNames names;
    for (const TDataModuleEntry& entry : contents.entries)
        dataModules.append(resolveDataModule(entry, folder, names));

    document.beforeLoad();
    document.clear();
    componentstream::readRoot(contents.root, &document);
    if (contents.version >= 0 && contents.version < 3 && !dataModules.isEmpty() && dataModules.first())
        addLegacyLink(document, dataModules.first());
    if (contents.opensModified())
        document.setTag(document.tag() | TfrmVelDesign::kModifiedTag);
    else
        document.clearModifiedMark();
}

TVelDataModule* resolveDataModule(const TDataModuleEntry& entry, const QString& searchDirectory)
{
    TopLevelNames names;
    return resolveDataModule(entry, searchDirectory, names);
}

DataModuleLoader setDataModuleLoader(DataModuleLoader newLoader)
{
    DataModuleLoader previous = std::move(loader());
    loader() = std::move(newLoader);
    return previous;
}

TVelDataModule* defaultDataModuleLoader(const QString& searchDirectory, const QString& path)
{
    TVelDataModule* dataModule = TVelApplication::instance().createDataModule();
    QString found;
    if (!path.isEmpty() && QFileInfo::exists(path) && QFileInfo(path).isFile())
        found = QFileInfo(path).absoluteFilePath();
    if (found.isEmpty())
        found = findInDirectory(searchDirectory, fileNameOf(path));
    if (found.isEmpty())
        found = findInDirectory(TVelApplication::instance().programDirectory(), fileNameOf(path));
    if (found.isEmpty())
        return dataModule;
    loadDataModule(*dataModule, found);
    return dataModule;
}

bool loadDataModule(TVelDataModule& dataModule, const QString& fileName)
{
    try {
        const TStreamObject root = textstream::read(filewriting::readAll(fileName));
        TComponent* known = globalnames::findRoot(root.name);
        if (known && known != &dataModule)
            throw EVelError(QStringLiteral("DataModule with same name already loaded : %1").arg(root.name));
        componentstream::readRoot(root, &dataModule);
        dataModule.setFileName(QFileInfo(fileName).absoluteFilePath());
        dataModule.clearModified();
        return true;
    } catch (const std::exception& error) {
        docmessages::show(QString::fromUtf8(error.what()));
        return false;
    }
}

void saveDataModule(TVelDataModule& dataModule, const QString& fileName)
{
    dataModule.clearModified();
    const QByteArray text = textstream::write(componentstream::rootRecord(&dataModule));
    filewriting::writeWithBackup(fileName, text);
    dataModule.setFileName(QFileInfo(fileName).absoluteFilePath());
}

} // namespace reportfile
