#include "core/strings/ui_strings.h"

#include "core/strings/language.h"
#include "core/strings/ui_string_table.h"

QString LoadUiString(int id)
{
    if (const std::optional<QString> translated = translatedUiString(id))
        return *translated;
    return builtInUiString(id);
}

QString toMessageText(QString text)
{
    text.replace(QStringLiteral("<>"), QStringLiteral("\n\r"));
    text.remove(QLatin1Char('&'));
    return text;
}

QString LoadMessageString(int id)
{
    return toMessageText(LoadUiString(id));
}
