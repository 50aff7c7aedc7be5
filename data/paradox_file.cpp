// Reading Paradox tables through pxlib.
#include "data/file_table.h"

#include "core/error.h"

#include <QDateTime>
#include <QFile>

extern "C" {
#include <paradox.h>
}

#include <memory>

namespace filetables {

namespace {

// pxlib counts dates in days from 1 January of year 1; the serial day numbers of its
// calendar helpers start 1721425 days earlier.
constexpr long kSdnOffset = 1721425;

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
