// Reading Paradox tables through pxlib.
#include "data/file_table.h"

#include "core/error.h"

#include <QDateTime>
#include <QFile>

extern "C" {
#include <paradox.h>
// Exported by pxlib but not declared in its header: how it decrypts a data block.
void px_decrypt_db_block(unsigned char* src, unsigned char* dest, unsigned long encryption, unsigned long blocksize,
                         unsigned long blockno);
}

#include <memory>
#include <vector>

namespace filetables {

namespace {

// pxlib counts dates in days from 1 January of year 1; the serial day numbers of its
// calendar helpers start 1721425 days earlier.
constexpr long kSdnOffset = 1721425;
// Where the header's list of field types and lengths starts at the earliest (two bytes a
// field); the header of version 4 files and later has 32 bytes more before it.
constexpr qint64 kFieldListStart = 0x58;
// The head of each data block: the next and the previous block, and the size of its data.
constexpr qint64 kBlockHeadLength = 6;
// The bytes of the header read here: the fixed part and the start of the data header.
constexpr qint64 kHeadLength = 0x60;

struct ErrorState {
    QString message;
};

void collectError(pxdoc_t*, int level, const char* message, void* data)
{
    auto* state = static_cast<ErrorState*>(data);
    if (level != PX_Warning && state->message.isEmpty())
        state->message = QString::fromUtf8(message);
}

struct DocDeleter {
    void operator()(pxdoc_t* doc) const
    {
        PX_close(doc);
        PX_delete(doc);
    }
};

TFieldDef fieldDefOf(const pxfield_t& field)
{
    TFieldDef def;
    def.name = QString::fromLatin1(field.px_fname);
    switch (field.px_ftype) {
    case pxfAlpha:
        def.dataType = TFieldType::ftString;
        def.size = field.px_flen;
        break;
    case pxfDate:
        def.dataType = TFieldType::ftDate;
        break;
    case pxfShort:
        def.dataType = TFieldType::ftSmallint;
        break;
    case pxfLong:
        def.dataType = TFieldType::ftInteger;
        break;
    case pxfAutoInc:
        def.dataType = TFieldType::ftAutoInc;
        break;
    case pxfCurrency:
        def.dataType = TFieldType::ftCurrency;
        break;
    case pxfNumber:
        def.dataType = TFieldType::ftFloat;
        break;
    case pxfLogical:
        def.dataType = TFieldType::ftBoolean;
        break;
    case pxfMemoBLOb:
        def.dataType = TFieldType::ftMemo;
        break;
    case pxfFmtMemoBLOb:
        def.dataType = TFieldType::ftFmtMemo;
        break;
    case pxfGraphic:
        def.dataType = TFieldType::ftGraphic;
        break;
    case pxfOLE:
        def.dataType = TFieldType::ftParadoxOle;
        break;
    case pxfBLOb:
        def.dataType = TFieldType::ftBlob;
        break;
    case pxfTime:
        def.dataType = TFieldType::ftTime;
        break;
    case pxfTimestamp:
        def.dataType = TFieldType::ftDateTime;
        break;
    case pxfBCD:
        def.dataType = TFieldType::ftBCD;
        def.size = 32;
        def.precision = field.px_fdc;
        break;
    case pxfBytes:
        def.dataType = TFieldType::ftBytes;
        def.size = field.px_flen;
        break;
    default:
        def.dataType = TFieldType::ftUnknown;
        break;
    }
    return def;
}

QDate dateOf(long days)
{
    int year = 0, month = 0, day = 0;
    PX_SdnToGregorian(days + kSdnOffset, &year, &month, &day);
    return QDate(year, month, day);
}

QVariant valueOf(const pxval_t& value, TFieldType type, bool utf8)
{
    if (value.isnull)
        return {};
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return qint64(value.value.lval);
    case TFieldType::ftBoolean:
        return value.value.lval != 0;
    case TFieldType::ftDate:
        return dateOf(value.value.lval);
    case TFieldType::ftTime:
        return QTime(0, 0).addMSecs(int(value.value.lval));
    case TFieldType::ftDateTime: {
        const double msecs = value.value.dval;
        const long days = long(msecs / 86400000.0);
        return QDateTime(dateOf(days), QTime(0, 0)).addMSecs(qint64(msecs - double(days) * 86400000.0));
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return value.value.dval;
    case TFieldType::ftBCD:
        return value.value.str.val ? QVariant(QString::fromLatin1(value.value.str.val).toDouble()) : QVariant();
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        if (!value.value.str.val)
            return {};
    {
        const qsizetype length = qsizetype(qstrnlen(value.value.str.val, size_t(std::max(0, value.value.str.len))));
        return utf8 ? QString::fromUtf8(value.value.str.val, length) : QString::fromLatin1(value.value.str.val, length);
    }
    default:
        if (!value.value.str.val)
            return {};
        return QByteArray(value.value.str.val, std::max(0, value.value.str.len));
    }
}

bool holdsString(TFieldType type)
{
    return !(fieldtypes::isInteger(type) || type == TFieldType::ftBoolean || type == TFieldType::ftDate
             || type == TFieldType::ftTime || type == TFieldType::ftDateTime || type == TFieldType::ftFloat
             || type == TFieldType::ftCurrency);
}

// Paradox stores a null number, date or time as all zero bytes (a stored zero has its
// sign bit flipped); the library's record values do not say so for every type.
bool storedAsZero(const QByteArray& raw, int offset, int length)
{
    if (offset < 0 || length <= 0 || offset + length > raw.size())
        return false;
    for (int i = offset; i < offset + length; ++i) {
        if (raw[i] != '\0')
            return false;
    }
    return true;
}

void freeRecord(pxdoc_t* doc, pxval_t** record, const TFieldDefs& defs)
{
    for (int i = 0; i < defs.size(); ++i) {
        if (!record[i])
            continue;
        if (holdsString(defs[i].dataType) && record[i]->value.str.val)
            doc->free(doc, record[i]->value.str.val);
        doc->free(doc, record[i]);
    }
    doc->free(doc, record);
}

// The memo and graphic values live in a blob file of the same name with ".mb".
void attachBlobFile(pxdoc_t* doc, const QString& path)
{
    QString blobPath = path.left(path.size() - 3) + QStringLiteral(".mb");
    if (!QFile::exists(blobPath))
        blobPath = path.left(path.size() - 3) + QStringLiteral(".MB");
    if (QFile::exists(blobPath))
        PX_set_blob_file(doc, QFile::encodeName(blobPath).constData());
}

quint32 littleEndian(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uchar(bytes[at + i]);
    return value;
}

EVelError damagedTable(const QString& path, const QString& what)
{
    return EVelError(QStringLiteral("Paradox table %1 is damaged: %2").arg(path, what));
}

// The sizes and counts of the fixed header that pxlib trusts.
struct HeadFacts {
    qint64 recordSize;
    qint64 headerSize;
    qint64 blockSize;
    qint64 fieldCount;
    qint64 recordCount;
    quint32 fileBlocks;
    quint32 firstBlock;

    explicit HeadFacts(const QByteArray& header)
        : recordSize(littleEndian(header, 0x00, 2)), headerSize(littleEndian(header, 0x02, 2)),
          blockSize(qint64(uchar(header[0x05])) * 0x400), fieldCount(littleEndian(header, 0x21, 2)),
          recordCount(littleEndian(header, 0x06, 4)), fileBlocks(littleEndian(header, 0x0C, 2)),
          firstBlock(littleEndian(header, 0x0E, 2))
    {
    }
};

// Whether pxlib reads the data header that follows the fixed one: for tables and
// secondary indexes of version 4 and later.
bool hasDataHeader(const QByteArray& header)
{
    const char type = header[0x04];
    const auto version = uchar(header[0x39]);
    const bool tableOrIndex = type == pxfFileTypIndexDB || type == pxfFileTypNonIndexDB || type == pxfFileTypNonIncSecIndex
                              || type == pxfFileTypIncSecIndex || type == pxfFileTypNonIncSecIndexG
                              || type == pxfFileTypIncSecIndexG;
    return tableOrIndex && version >= 5 && version <= 12;
}

// The key pxlib decrypts the data blocks with: the header's encryption word, or the data
// header's when the first is 0xFF00FF00. Without a data header pxlib would take the key
// from memory it never filled.
unsigned long encryptionOf(const QByteArray& header, const QString& path)
{
    const unsigned long encryption = littleEndian(header, 0x25, 4);
    if (encryption != 0xFF00FF00)
        return encryption;
    if (!hasDataHeader(header))
        throw damagedTable(path, QStringLiteral("its header points to an encryption key in a data header the file does not have"));
    return littleEndian(header, 0x5C, 4);
}

// The data blocks of a table form a chain through the first two bytes of each block.
// pxlib follows the chain when it opens the file and, past the header's count of
// blocks, until it ends; a chain that comes back to a block of its own would keep it
// reading forever, and a block head past the end of the file leaves it reading what it
// read before. So the chain is walked here first, as pxlib reads it: block numbers are
// unsigned 16-bit, and the header's encryption word (or the data header's, when the
// first says so) decrypts each block. Gives the number of records the blocks within the
// header's count of blocks hold, as pxlib counts them.
qint64 checkBlockChain(QFile& file, const QByteArray& header, const HeadFacts& head, const QString& path)
{
    qint64 heldRecords = 0;
    quint32 walked = 0;
    const unsigned long encryption = encryptionOf(header, path);
    const auto damaged = [&](const char* what, quint32 block) {
        return damagedTable(path, QStringLiteral("its chain of data blocks %1 block %2").arg(QLatin1String(what)).arg(block));
    };
    std::vector<bool> visited(0x10000, false);
    QByteArray data(std::max(head.blockSize, kBlockHeadLength), '\0');
    for (quint32 block = head.firstBlock; block != 0; block = littleEndian(data, 0, 2)) {
        if (visited[block])
            throw damaged("comes back to", block);
        visited[block] = true;
        // An encrypted block is read and decrypted whole, as zeros where the file ends.
        const qint64 wanted = encryption != 0 ? head.blockSize : kBlockHeadLength;
        data.fill('\0');
        if (!file.seek(head.headerSize + (block - 1) * head.blockSize) || file.read(data.data(), wanted) < kBlockHeadLength)
            throw damaged("leads past the end of the file to", block);
        if (encryption != 0) {
            auto* bytes = reinterpret_cast<unsigned char*>(data.data());
            px_decrypt_db_block(bytes, bytes, encryption, static_cast<unsigned long>(head.blockSize), block);
        }
        if (walked++ < head.fileBlocks)
            heldRecords += littleEndian(data, 4, 2) / head.recordSize + 1;
    }
    return heldRecords;
}

// pxlib reads the field list and the field names of the header byte by byte, and takes
// the end of the file for more of a name, so a header larger than the file, or a field
// count larger than the header, has it reading the end of the file for a long time. It
// divides by the record size, and reads a record that does not fit in a data block from
// memory it never filled.
void checkHeaderFits(const HeadFacts& head, qint64 fileSize, const QString& path)
{
    if (head.recordSize == 0 || kBlockHeadLength + head.recordSize > head.blockSize)
        throw damagedTable(path, QStringLiteral("its records of %1 bytes do not fit its data blocks of %2 bytes")
                                     .arg(head.recordSize)
                                     .arg(head.blockSize));
    if (head.headerSize > fileSize)
        throw damagedTable(path, QStringLiteral("its header of %1 bytes is longer than the file").arg(head.headerSize));
    if (kFieldListStart + 2 * head.fieldCount > head.headerSize)
        throw damagedTable(path, QStringLiteral("its header of %1 bytes cannot describe %2 fields")
                                     .arg(head.headerSize)
                                     .arg(head.fieldCount));
}

// What pxlib trusts in the header, checked before it reads the file.
void checkHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return; // pxlib reports it
    const QByteArray header = file.read(kHeadLength);
    if (header.size() < kHeadLength)
        throw damagedTable(path, QStringLiteral("the file is shorter than a header"));
    const HeadFacts head(header);
    checkHeaderFits(head, file.size(), path);
    // pxlib reads a record past those the blocks hold from memory it never filled.
    const qint64 heldRecords = checkBlockChain(file, header, head, path);
    if (head.recordCount > heldRecords)
        throw damagedTable(path, QStringLiteral("its header counts %1 records, its data blocks hold %2")
                                     .arg(head.recordCount)
                                     .arg(heldRecords));
}

// The length every field of a number, date, time or logical type has; 0 for the types
// whose length the table chooses.
int fixedLength(char type)
{
    switch (type) {
    case pxfLogical:
        return 1;
    case pxfShort:
        return 2;
    case pxfLong:
    case pxfDate:
    case pxfTime:
    case pxfAutoInc:
        return 4;
    case pxfNumber:
    case pxfCurrency:
    case pxfTimestamp:
        return 8;
    default:
        return 0;
    }
}

// pxlib copies a number field into a variable of its type by the length the header
// gives, and reads each field at the sum of the lengths before it, from a buffer of the
// header's record size; a header that says otherwise would have it write or read past
// them.
void checkFieldsFit(const pxfield_t* fields, int fieldCount, int recordSize, const QString& path)
{
    qint64 needed = 0;
    for (int i = 0; i < fieldCount; ++i) {
        const int length = fixedLength(fields[i].px_ftype);
        if (length != 0 && fields[i].px_flen != length)
            throw damagedTable(path, QStringLiteral("field %1 has a length of %2 bytes, not %3")
                                         .arg(QString::fromLatin1(fields[i].px_fname))
                                         .arg(fields[i].px_flen)
                                         .arg(length));
        needed += fields[i].px_flen;
    }
    if (needed > recordSize)
        throw damagedTable(path, QStringLiteral("its fields take %1 bytes, more than its records of %2 bytes")
                                     .arg(needed)
                                     .arg(recordSize));
}

// A stored BCD value starts with its count of decimal places; pxlib loses the memory of a
// value whose count is not the field's, so such a record is refused before it is read.
void checkBcdValues(const QByteArray& raw, const QList<int>& offsets, const pxfield_t* fields, int fieldCount, int row,
                    const QString& path)
{
    for (int i = 0; i < fieldCount; ++i) {
        if (fields[i].px_ftype != pxfBCD)
            continue;
        const auto lead = uchar(raw[offsets[i]]);
        if (lead != 0 && (lead & 0x3f) != fields[i].px_fdc)
            throw damagedTable(path, QStringLiteral("record %1 holds a value of field %2 with %3 decimal places, not %4")
                                         .arg(row + 1)
                                         .arg(QString::fromLatin1(fields[i].px_fname))
                                         .arg(lead & 0x3f)
                                         .arg(fields[i].px_fdc));
    }
}

} // namespace

std::shared_ptr<TFileTable> readParadox(const QString& path)
{
    static const bool booted = [] {
        PX_boot();
        return true;
    }();
    Q_UNUSED(booted);
    ErrorState errors;
    std::unique_ptr<pxdoc_t, DocDeleter> doc(PX_new3(collectError, nullptr, nullptr, nullptr, &errors));
    if (!doc)
        throw EVelError(QStringLiteral("Out of memory reading %1").arg(path));
    checkHeader(path);
    if (PX_open_file(doc.get(), QFile::encodeName(path).constData()) < 0)
        throw EVelError(errors.message.isEmpty() ? QStringLiteral("Could not open Paradox table %1").arg(path)
                                                 : errors.message);
    attachBlobFile(doc.get(), path);
    // Text columns arrive in the table's code page; pxlib converts them when it can.
    const bool utf8 = PX_set_targetencoding(doc.get(), "UTF-8") == 0;
    auto table = std::make_shared<TFileTable>();
    const int fieldCount = PX_get_num_fields(doc.get());
    pxfield_t* fields = PX_get_fields(doc.get());
    for (int i = 0; fields && i < fieldCount; ++i)
        table->defs.append(fieldDefOf(fields[i]));
    const int keyFields = doc->px_head ? doc->px_head->px_primarykeyfields : 0;
    for (int i = 0; i < keyFields && i < table->defs.size(); ++i)
        table->primaryKey.append(table->defs[i].name);
    checkFieldsFit(fields, fields ? fieldCount : 0, PX_get_recordsize(doc.get()), path);
    QList<int> offsets;
    int offset = 0;
    for (int i = 0; fields && i < fieldCount; ++i) {
        offsets.append(offset);
        offset += fields[i].px_flen;
    }
    QByteArray raw(std::max(PX_get_recordsize(doc.get()), offset), '\0');
    const int records = PX_get_num_records(doc.get());
    for (int row = 0; row < records; ++row) {
        if (!PX_get_record(doc.get(), row, raw.data()))
            raw.fill('\0');
        checkBcdValues(raw, offsets, fields, table->defs.size(), row, path);
        pxval_t** record = PX_retrieve_record(doc.get(), row);
        if (!record)
            throw EVelError(errors.message.isEmpty() ? QStringLiteral("Could not read record %1 of %2").arg(row + 1).arg(path)
                                                     : errors.message);
        std::vector<QVariant> values;
        values.reserve(size_t(table->defs.size()));
        for (int i = 0; i < table->defs.size(); ++i) {
            const TFieldType type = table->defs[i].dataType;
            const bool null = !record[i] || (!holdsString(type) && storedAsZero(raw, offsets[i], fields[i].px_flen));
            values.push_back(null ? QVariant() : valueOf(*record[i], type, utf8));
        }
        freeRecord(doc.get(), record, table->defs);
        table->appendRow(std::move(values));
    }
    return table;
}

} // namespace filetables
