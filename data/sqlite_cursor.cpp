#include "data/sqlite_cursor.h"

#include "core/error.h"
#include "data/value_conversion.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QUuid>

#include <sqlite3.h>

namespace {

QString errorOf(sqlite3* connection)
{
    return QString::fromUtf8(sqlite3_errmsg(connection)).trimmed();
}

TSqliteCursor::Decoding decodingOf(TFieldType type)
{
    using D = TSqliteCursor::Decoding;
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        return D::Text;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return D::Integer;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return D::Float;
    case TFieldType::ftBoolean:
        return D::Boolean;
    case TFieldType::ftDate:
        return D::Date;
    default:
        return D::General;
    }
}

// The type Qt's SQLite driver gives a result column without a declared type: that of the
// first record's value.
QMetaType storageMetaType(int storage)
{
    switch (storage) {
    case SQLITE_INTEGER:
        return QMetaType::fromType<qint64>();
    case SQLITE_FLOAT:
        return QMetaType::fromType<double>();
    case SQLITE_BLOB:
        return QMetaType::fromType<QByteArray>();
    case SQLITE_TEXT:
        return QMetaType::fromType<QString>();
    default:
        return QMetaType();
    }
}

QByteArrayView textOf(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QByteArrayView(text, sqlite3_value_bytes(value));
}

// A stored value as Qt's SQLite driver hands it over.
QVariant storedValue(sqlite3_value* value, int storage)
{
    switch (storage) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
        return QByteArray(bytes, sqlite3_value_bytes(value));
    }
    case SQLITE_TEXT:
        return QString::fromUtf8(textOf(value));
    default:
        return {};
    }
}

// The values of a row are read straight from the statement's row, which is safe while the
// connection's mutex is held (a connection without one is used by one thread at a time,
// and entering a null mutex does nothing).
class TConnectionLock {
public:
    explicit TConnectionLock(sqlite3* connection) : m_mutex(sqlite3_db_mutex(connection)) { sqlite3_mutex_enter(m_mutex); }
    ~TConnectionLock() { sqlite3_mutex_leave(m_mutex); }
    TConnectionLock(const TConnectionLock&) = delete;
    TConnectionLock& operator=(const TConnectionLock&) = delete;

private:
    sqlite3_mutex* m_mutex;
};

// Values Qt's SQL layer binds as NULL although the variant holds a value.
bool bindsAsNull(const QVariant& value)
{
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().isNull();
    case QMetaType::QByteArray:
        return value.toByteArray().isNull();
    case QMetaType::QDateTime:
        return !value.toDateTime().isValid();
    case QMetaType::QDate:
        return value.toDate().isNull();
    case QMetaType::QTime:
        return !value.toTime().isValid();
    case QMetaType::QUuid:
        return value.toUuid().isNull();
    default:
        return false;
    }
}

int bindText(sqlite3_stmt* statement, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

namespace sqlitecursors {

sqlite3* connectionOf(const QSqlDatabase& database)
{
    if (!database.isOpen() || !database.driver())
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (bindsAsNull(value))
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(statement, index, value.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::QDateTime:
        return bindText(statement, index, value.toDateTime().toString(Qt::ISODateWithMs));
    case QMetaType::QTime:
        return bindText(statement, index, value.toTime().toString(QStringLiteral("hh:mm:ss.zzz")));
    default:
        return bindText(statement, index, value.toString());
    }
}

} // namespace sqlitecursors

TSqliteCursor::TSqliteCursor(sqlite3* connection, const QString& statement, const QVariantList& values)
    : m_connection(connection)
{
    try {
        prepare(statement);
        bind(values);
        step();
        describe();
    } catch (...) {
        finish();
        throw;
    }
}

TSqliteCursor::~TSqliteCursor()
{
    finish();
}

void TSqliteCursor::finish()
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
}

void TSqliteCursor::prepare(const QString& statement)
{
    const QByteArray text = statement.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_connection, text.constData(), int(text.size()), &m_statement, &tail) != SQLITE_OK)
        throw EVelError(errorOf(m_connection));
    if (!m_statement)
        throw EVelError(QStringLiteral("No SQL statement available"));
    if (tail && !QByteArrayView(tail, text.constData() + text.size() - tail).trimmed().isEmpty())
        throw EVelError(QStringLiteral("Unable to execute multiple statements at a time"));
    // Anything else would change the database and still select nothing.
    if (sqlite3_column_count(m_statement) == 0)
        throw EVelError(QStringLiteral("The statement returns no records"));
}

void TSqliteCursor::bind(const QVariantList& values)
{
    if (sqlite3_bind_parameter_count(m_statement) != values.size())
        throw EVelError(QStringLiteral("Parameter count mismatch"));
    for (int i = 0; i < values.size(); ++i) {
        if (sqlitecursors::bindValue(m_statement, i + 1, values[i]) != SQLITE_OK)
            throw EVelError(errorOf(m_connection));
    }
}

void TSqliteCursor::step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) {
        m_rowPending = true;
        return;
    }
    m_rowPending = false;
    if (result != SQLITE_DONE)
        throw EVelError(errorOf(m_connection));
}

void TSqliteCursor::describe()
{
    const int count = sqlite3_column_count(m_statement);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(m_statement, i));
        const QString declared = QString::fromUtf8(sqlite3_column_decltype(m_statement, i));
        const QMetaType valueType = !declared.isEmpty() ? QMetaType::fromType<QString>()
                                    : m_rowPending      ? storageMetaType(sqlite3_column_type(m_statement, i))
                                                        : QMetaType();
        m_defs.append(valueconversion::fromDeclaredType(name, declared, valueType));
        m_decodings.push_back(decodingOf(m_defs.back().dataType));
    }
}

bool TSqliteCursor::fetch(std::vector<QVariant>& values)
{
    if (!m_rowPending) {
        if (!m_statement)
            return false;
        step();
        if (!m_rowPending) {
            finish(); // done: the statement lets go of the database at once
            return false;
        }
    }
    m_rowPending = false;
    const TConnectionLock lock(m_connection);
    const int count = int(m_decodings.size());
    for (int column = 0; column < count; ++column)
        appendValue(values, column);
    return true;
}

// The common pairs of field type and stored type are made in place; every other value
// goes the general way, as Qt would hand it over, so that both give the same result.
void TSqliteCursor::appendValue(std::vector<QVariant>& values, int column) const
{
    sqlite3_value* stored = sqlite3_column_value(m_statement, column);
    const int storage = sqlite3_value_type(stored);
    if (storage == SQLITE_NULL) {
        values.emplace_back();
        return;
    }
    switch (m_decodings[size_t(column)]) {
    case Decoding::Text:
        if (storage == SQLITE_TEXT) {
            values.emplace_back(QString::fromUtf8(textOf(stored)));
            return;
        }
        break;
    case Decoding::Integer:
        if (storage == SQLITE_INTEGER) {
            values.emplace_back(qint64(sqlite3_value_int64(stored)));
            return;
        }
        break;
    case Decoding::Float:
        if (storage == SQLITE_FLOAT || storage == SQLITE_INTEGER) {
            values.emplace_back(sqlite3_value_double(stored));
            return;
        }
        break;
    case Decoding::Boolean:
        if (storage == SQLITE_INTEGER) {
            values.emplace_back(sqlite3_value_int64(stored) != 0);
            return;
        }
        break;
    case Decoding::Date:
        if (storage == SQLITE_TEXT) {
            if (const QDate date = valueconversion::isoDate(textOf(stored)); date.isValid()) {
                values.emplace_back(date);
                return;
            }
        }
        break;
    case Decoding::General:
        break;
    }
    values.push_back(valueconversion::toFieldValue(storedValue(stored, storage), m_defs[column].dataType));
}
