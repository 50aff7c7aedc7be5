#include "data/sql_cursor.h"

#include "core/error.h"
#include "data/sqlite_cursor.h"
#include "data/value_conversion.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

namespace {

QString errorText(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return text.trimmed();
}

// SQLite keeps the declared type of every result column that comes from a table column;
// Qt's record only says what storage class the first value had.
sqlite3_stmt* sqliteStatement(const QSqlQuery& query)
{
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

// What a server driver's own column type says that Qt's value type does not: small
// integers, exact numerics, money, long text and ODBC's bit columns. The answer is a
// declared type in the words the field type mapping reads; empty when the value type says
// enough.
QString nativeTypeName(const QString& driver, const QSqlField& field)
{
    const int type = field.typeID();
    const auto numeric = [&] {
        if (field.length() > 0)
            return QStringLiteral("NUMERIC(%1,%2)").arg(field.length()).arg(qMax(field.precision(), 0));
        return QStringLiteral("NUMERIC");
    };
    if (driver == QLatin1String("QPSQL")) {
        switch (type) {
        case 21: return QStringLiteral("SMALLINT"); // int2
        case 1700: return numeric();
        case 25: return QStringLiteral("MEMO");    // text
        case 790: return QStringLiteral("MONEY");
        default: return {};
        }
    }
    if (driver == QLatin1String("QIBASE")) {
        // The lowest bit of a Firebird column type only says whether it takes nulls.
        const int base = type & ~1;
        const bool scaled = field.precision() > 0;
        if ((base == 500 || base == 496 || base == 580) && scaled) // SMALLINT, INTEGER, BIGINT with a scale
            return numeric();
        return base == 500 ? QStringLiteral("SMALLINT") : QString();
    }
    if (driver == QLatin1String("QODBC")) {
        switch (type) {
        case 5:  // SQL_SMALLINT
        case -6: // SQL_TINYINT
            return QStringLiteral("SMALLINT");
        case 2: // SQL_NUMERIC
        case 3: // SQL_DECIMAL
            return numeric();
        case -7: return QStringLiteral("BOOLEAN"); // SQL_BIT
        case -1:  // SQL_LONGVARCHAR
        case -10: // SQL_WLONGVARCHAR
            return QStringLiteral("MEMO");
        default: return {};
        }
    }
    return {};
}

} // namespace

TSqlCursor::TSqlCursor(const QSqlDatabase& database, const QString& statement, const QVariantList& values)
    : m_query(database)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(statement))
        throw EVelError(errorText(m_query.lastError()));
    for (int i = 0; i < values.size(); ++i)
        m_query.bindValue(i, values[i]);
    if (!m_query.exec())
        throw EVelError(errorText(m_query.lastError()));
    if (!m_query.isSelect())
        throw EVelError(QStringLiteral("The statement returns no records"));
    describe(database.driverName());
}

void TSqlCursor::describe(const QString& driver)
{
    const QSqlRecord record = m_query.record();
    sqlite3_stmt* statement = sqliteStatement(m_query);
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        QString declared;
        if (statement) {
            if (const char* type = sqlite3_column_decltype(statement, i))
                declared = QString::fromUtf8(type);
        }
        if (declared.isEmpty())
            declared = nativeTypeName(driver, field);
        TFieldDef def = valueconversion::fromDeclaredType(field.name(), declared, field.metaType());
        if (!statement && field.length() > 0 && fieldtypes::isString(def.dataType))
            def.size = field.length();
        def.required = field.requiredStatus() == QSqlField::Required;
        m_defs.append(def);
    }
}

bool TSqlCursor::fetch(std::vector<QVariant>& values)
{
    if (!m_query.next()) {
        if (m_query.lastError().isValid())
            throw EVelError(errorText(m_query.lastError()));
        return false;
    }
    const int count = int(m_defs.size());
    for (int i = 0; i < count; ++i)
        values.push_back(valueconversion::toFieldValue(m_query.value(i), m_defs[i].dataType));
    return true;
}

namespace sqlcursors {

std::unique_ptr<TRecordCursor> open(const QSqlDatabase& database, const QString& statement, const QVariantList& values)
{
    if (sqlite3* connection = sqlitecursors::connectionOf(database))
        return std::make_unique<TSqliteCursor>(connection, statement, values);
    return std::make_unique<TSqlCursor>(database, statement, values);
}

} // namespace sqlcursors
