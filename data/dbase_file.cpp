// Reading dBase tables through shapelib's DBF functions.
#include "data/file_table.h"

#include "core/error.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

#include <memory>

namespace filetables {

namespace {

struct DbfCloser {
    void operator()(DBFInfo* handle) const { DBFClose(handle); }
};

TFieldDef fieldDefOf(DBFHandle handle, int index)
{
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0;
    int decimals = 0;
    const DBFFieldType type = DBFGetFieldInfo(handle, index, name, &width, &decimals);
    const char native = DBFGetNativeFieldType(handle, index);
    TFieldDef def;
    def.name = QString::fromLatin1(name);
    switch (type) {
    case FTInteger:
        def.dataType = width <= 4 ? TFieldType::ftSmallint : TFieldType::ftInteger;
        break;
    case FTDouble:
        def.dataType = decimals > 0 && native == 'N' ? TFieldType::ftBCD : TFieldType::ftFloat;
        def.size = width;
        def.precision = decimals;
        if (decimals == 0 && native == 'N')
            def.dataType = width <= 4 ? TFieldType::ftSmallint : TFieldType::ftInteger;
        break;
    case FTLogical:
        def.dataType = TFieldType::ftBoolean;
        break;
    case FTDate:
        def.dataType = TFieldType::ftDate;
        break;
    default:
        def.dataType = native == 'M' ? TFieldType::ftMemo : TFieldType::ftString;
        def.size = width;
        break;
    }
    return def;
}

QVariant valueOf(DBFHandle handle, int row, int column, TFieldType type)
{
    if (DBFIsAttributeNULL(handle, row, column))
        return {};
    const char* raw = DBFReadStringAttribute(handle, row, column);
    if (!raw)
        return {};
    const QString text = QString::fromLatin1(raw).trimmed();
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger: {
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case TFieldType::ftFloat:
    case TFieldType::ftBCD: {
        bool ok = false;
        const double number = text.toDouble(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case TFieldType::ftBoolean: {
        const QChar c = text.isEmpty() ? QChar() : text[0].toUpper();
        if (c == u'T' || c == u'Y')
            return true;
        if (c == u'F' || c == u'N')
            return false;
        return {};
    }
    case TFieldType::ftDate: {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
        return date.isValid() ? QVariant(date) : QVariant();
    }
    default:
        // Text columns are padded with blanks on the right.
        return QString::fromLatin1(raw).trimmed();
    }
}

// shapelib takes the record count and record length of the header as they stand and
// tries every record, so a damaged count would keep it failing reads for a long time.
void checkRecordsFit(const DBFInfo& info, const QString& path)
{
    const qint64 fileSize = QFileInfo(path).size();
    const qint64 needed = qint64(info.nHeaderLength) + qint64(info.nRecords) * qint64(info.nRecordLength);
    if (needed > fileSize)
        throw EVelError(QStringLiteral("dBase table %1 is damaged: its header counts %2 records of %3 bytes, more than the %4 bytes of the file hold")
                            .arg(path)
                            .arg(info.nRecords)
                            .arg(info.nRecordLength)
                            .arg(fileSize));
}

} // namespace

std::shared_ptr<TFileTable> readDbase(const QString& path)
{
    std::unique_ptr<DBFInfo, DbfCloser> handle(DBFOpen(QFile::encodeName(path).constData(), "rb"));
    if (!handle)
        throw EVelError(QStringLiteral("Could not open dBase table %1").arg(path));
    checkRecordsFit(*handle, path);
    auto table = std::make_shared<TFileTable>();
    const int fieldCount = DBFGetFieldCount(handle.get());
    for (int i = 0; i < fieldCount; ++i)
        table->defs.append(fieldDefOf(handle.get(), i));
    const int records = DBFGetRecordCount(handle.get());
    for (int row = 0; row < records; ++row) {
        if (DBFIsRecordDeleted(handle.get(), row))
            continue;
        std::vector<QVariant> values;
        values.reserve(size_t(fieldCount));
        for (int column = 0; column < fieldCount; ++column)
            values.push_back(valueOf(handle.get(), row, column, table->defs[column].dataType));
        table->appendRow(std::move(values));
    }
    return table;
}

} // namespace filetables
