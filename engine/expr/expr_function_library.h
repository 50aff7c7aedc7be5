// The name-ordered registry of expression functions. Registering one is a single call;
// the builder reads the entries' descriptions and argument codes.
#pragma once

#include "engine/expr/expr_function.h"

#include <QList>
#include <QString>
#include <functional>
#include <map>
#include <memory>

using TRpEvFunctionFactory = std::function<std::unique_ptr<TRpEvElementFunction>()>;

struct TRpEvFunctionEntry
{
    QString name;          // upper case
    QString description;   // signature + "|" + help text
    QString argumentCode; // category digit, then one of B N S V per argument
    QString vendor;
    TRpEvFunctionFactory create;

    QString signature() const;
    QString help() const;
    int category() const;         // 0 to 7, -1 when the code has no digit
    QString argumentKinds() const;
};

class TRpEvFunctionLibrary
{
public:
    // The program's library: the engine's functions and Velmor's own.
    static TRpEvFunctionLibrary& instance();

    // Adds a function, replacing one registered under the same name.
    void registerFunction(TRpEvFunctionEntry entry);

    template <class Function>
    void registerFunction(const QString& name, const QString& description, const QString& argumentCode,
                          const QString& vendor = QString())
    {
        registerFunction(TRpEvFunctionEntry{name, description, argumentCode, vendor,
                                            [] { return std::make_unique<Function>(); }});
    }

    // The entry for a name (any case), or nullptr.
    const TRpEvFunctionEntry* find(const QString& name) const;
    QList<const TRpEvFunctionEntry*> entries() const;

private:
    std::map<QString, TRpEvFunctionEntry> m_entries;
};

// The engine's own functions (IF, STR ... FORMATNUMERIC and the aggregates).
void rpEvRegisterBuiltinFunctions(TRpEvFunctionLibrary& library);
void rpEvRegisterAggregateFunctions(TRpEvFunctionLibrary& library);
