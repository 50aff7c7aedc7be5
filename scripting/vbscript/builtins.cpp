// The built-in library's lookup table and shared argument helpers.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"

#include <QHash>

namespace vbs {

const Builtin* findBuiltin(const QString& lowerName)
{
    static const QHash<QString, const Builtin*> table = [] {
        QHash<QString, const Builtin*> map;
        for (auto library : {conversionLibrary(), stringLibrary(), mathLibrary(), dateLibrary(), formatLibrary(),
                             runtimeLibrary()})
            for (const Builtin& builtin : library)
                map.insert(QString::fromLatin1(builtin.name).toLower(), &builtin);
        return map;
    }();
    return table.value(lowerName, nullptr);
}

bool isMissing(const Variant* args, int count, int index) { return index >= count; }

QString stringArg(const Variant* args, int count, int index, const QString& fallback)
{
    return index < count ? toString(args[index]) : fallback;
}

qint32 longArg(const Variant* args, int count, int index, qint32 fallback)
{
    return index < count ? toLong(args[index]) : fallback;
}

} // namespace vbs

namespace vbs {

const Variant* findConstant(const QString& lowerName)
{
    static const QHash<QString, Variant> table = [] {
        QHash<QString, Variant> map;
        auto text = [&](const char* name, const QString& value) { map.insert(QString::fromLatin1(name).toLower(), Variant::fromString(value)); };
        auto number = [&](const char* name, qint32 value) { map.insert(QString::fromLatin1(name).toLower(), Variant::fromWholeNumber(value)); };
        text("vbCrLf", QStringLiteral("\r\n"));
        text("vbNewLine", QStringLiteral("\r\n"));
        text("vbCr", QStringLiteral("\r"));
        text("vbLf", QStringLiteral("\n"));
        text("vbTab", QStringLiteral("\t"));
        text("vbFormFeed", QStringLiteral("\f"));
        text("vbVerticalTab", QStringLiteral("\v"));
        text("vbNullChar", QString(QChar(0)));
        text("vbNullString", QString());
        number("vbTrue", -1);
        number("vbFalse", 0);
        number("vbUseDefault", -2);
        number("vbBinaryCompare", 0);
        number("vbTextCompare", 1);
        number("vbDatabaseCompare", 2);
        const char* days[] = {"vbSunday", "vbMonday", "vbTuesday", "vbWednesday", "vbThursday", "vbFriday", "vbSaturday"};
        for (int i = 0; i < 7; ++i)
            number(days[i], i + 1);
        number("vbUseSystemDayOfWeek", 0);
        number("vbUseSystem", 0);
        number("vbFirstJan1", 1);
        number("vbFirstFourDays", 2);
        number("vbFirstFullWeek", 3);
        number("vbGeneralDate", 0);
        number("vbLongDate", 1);
        number("vbShortDate", 2);
        number("vbLongTime", 3);
        number("vbShortTime", 4);
        const char* types[] = {"vbEmpty", "vbNull", "vbInteger", "vbLong", "vbSingle", "vbDouble", "vbCurrency",
                               "vbDate", "vbString", "vbObject", "vbError", "vbBoolean", "vbVariant"};
        for (int i = 0; i < 13; ++i)
            number(types[i], i);
        number("vbDataObject", 13);
        number("vbDecimal", 14);
        number("vbByte", 17);
        number("vbArray", 8192);
        number("vbOKOnly", 0);
        number("vbOKCancel", 1);
        number("vbAbortRetryIgnore", 2);
        number("vbYesNoCancel", 3);
        number("vbYesNo", 4);
        number("vbRetryCancel", 5);
        number("vbCritical", 16);
        number("vbQuestion", 32);
        number("vbExclamation", 48);
        number("vbInformation", 64);
        number("vbDefaultButton1", 0);
        number("vbDefaultButton2", 256);
        number("vbDefaultButton3", 512);
        number("vbApplicationModal", 0);
        number("vbSystemModal", 4096);
        number("vbOK", 1);
        number("vbCancel", 2);
        number("vbAbort", 3);
        number("vbRetry", 4);
        number("vbIgnore", 5);
        number("vbYes", 6);
        number("vbNo", 7);
        number("vbObjectError", static_cast<qint32>(0x80040000));
        number("vbBlack", 0x000000);
        number("vbRed", 0x0000FF);
        number("vbGreen", 0x00FF00);
        number("vbYellow", 0x00FFFF);
        number("vbBlue", 0xFF0000);
        number("vbMagenta", 0xFF00FF);
        number("vbCyan", 0xFFFF00);
        number("vbWhite", 0xFFFFFF);
        return map;
    }();
    const auto found = table.constFind(lowerName);
    return found != table.constEnd() ? &*found : nullptr;
}

} // namespace vbs
