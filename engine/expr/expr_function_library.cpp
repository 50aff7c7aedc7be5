#include "engine/expr/expr_function_library.h"

#include "engine/expr/vel_functions.h"

QString TRpEvFunctionEntry::signature() const
{
    return description.section(QLatin1Char('|'), 0, 0);
}

QString TRpEvFunctionEntry::help() const
{
    const int bar = description.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : description.mid(bar + 1);
}

int TRpEvFunctionEntry::category() const
{
    return !argumentCode.isEmpty() && argumentCode[0].isDigit() ? argumentCode[0].digitValue() : -1;
}

QString TRpEvFunctionEntry::argumentKinds() const
{
    return category() < 0 ? argumentCode : argumentCode.mid(1);
}

TRpEvFunctionLibrary& TRpEvFunctionLibrary::instance()
{
    static TRpEvFunctionLibrary library = [] {
        TRpEvFunctionLibrary created;
        rpEvRegisterBuiltinFunctions(created);
        rpEvRegisterAggregateFunctions(created);
        velRegisterExpressionFunctions(created);
        return created;
    }();
    return library;
}

void TRpEvFunctionLibrary::registerFunction(TRpEvFunctionEntry entry)
{
    entry.name = entry.name.toUpper();
    const QString key = entry.name;
    m_entries.insert_or_assign(key, std::move(entry));
}

const TRpEvFunctionEntry* TRpEvFunctionLibrary::find(const QString& name) const
{
    const auto found = m_entries.find(name.toUpper());
    return found == m_entries.end() ? nullptr : &found->second;
}

QList<const TRpEvFunctionEntry*> TRpEvFunctionLibrary::entries() const
{
    QList<const TRpEvFunctionEntry*> list;
    for (const auto& [name, entry] : m_entries)
        list.append(&entry);
    return list;
}
