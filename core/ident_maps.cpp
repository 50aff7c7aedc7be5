#include "core/ident_maps.h"

#include <array>
#include <span>

namespace idents {

namespace {

struct Ident {
    int value;
    const char* name;
};

constexpr std::array<Ident, 23> kCursors{{
    {0, "crDefault"},    {-1, "crNone"},      {-2, "crArrow"},     {-3, "crCross"},
    {-4, "crIBeam"},     {-6, "crSizeNESW"},  {-7, "crSizeNS"},    {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},    {-10, "crUpArrow"},  {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},   {-14, "crHSplit"},   {-15, "crVSplit"},   {-16, "crMultiDrag"},
    {-17, "crSQLWait"},  {-18, "crNo"},       {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"}, {-22, "crSize"},
}};

constexpr std::array<Ident, 18> kCharsets{{
    {0, "ANSI_CHARSET"},       {1, "DEFAULT_CHARSET"},   {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},       {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},    {134, "GB2312_CHARSET"},  {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},    {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},   {178, "ARABIC_CHARSET"},  {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},  {222, "THAI_CHARSET"},    {238, "EASTEUROPE_CHARSET"},
}};

std::span<const Ident> mapNamed(QStringView map)
{
    if (map == u"TCursor")
        return kCursors;
    if (map == u"TFontCharset")
        return kCharsets;
    return {};
}

} // namespace

std::optional<QString> toIdent(QStringView map, int value)
{
    for (const Ident& ident : mapNamed(map)) {
        if (ident.value == value)
            return QString::fromLatin1(ident.name);
    }
    return std::nullopt;
}

std::optional<int> fromIdent(QStringView map, QStringView name)
{
    for (const Ident& ident : mapNamed(map)) {
        if (name.compare(QLatin1String(ident.name), Qt::CaseInsensitive) == 0)
            return ident.value;
    }
    return std::nullopt;
}

} // namespace idents
