#include "document/class_registration.h"

#include "core/strings/language.h"
#include "core/strings/program_texts.h"
#include "core/strings/ui_strings.h"
#include "data/data_source.h"
#include "document/scroll_box.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_memo.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include "data/field_classes.h"
#include "data/query.h"
#include "data/table.h"

namespace classregistration {

namespace {

QString pageName(const QString& text, const char* fallback)
{
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

QList<TClassInfo> bandClasses()
{
    return {TClassInfo::of<TRpSubDetail>(), TClassInfo::of<TRpBand>(),        TClassInfo::of<TRpChildBand>(),
            TClassInfo::of<TRpGroup>(),     TClassInfo::of<TRpStringsBand>(), TClassInfo::of<TRpLoopBand>()};
}

QList<TClassInfo> controlClasses()
{
    return {TClassInfo::of<TRpExprMemo>(), TClassInfo::of<TRpLabel>(),      TClassInfo::of<TRpDBText>(),
            TClassInfo::of<TRpExpr>(),     TClassInfo::of<TRpSysData>(),     TClassInfo::of<TRpMemo>(),
            TClassInfo::of<TRpRichText>(), TClassInfo::of<TRpDBRichText>(), TClassInfo::of<TRpShape>(),
            TClassInfo::of<TRpImage>(),    TClassInfo::of<TRpDBImage>()};
}

// The system's own controls (graphic table, image, rich text, db text, parameter,
// barcode, rotated label) join this list, in that order, as their module provides them.
QList<TClassInfo> extraClasses()
{
    return {};
}

QList<TClassInfo> unplacedClasses()
{
    return {TClassInfo::of<TTable>(), TClassInfo::of<TQuery>(), TClassInfo::of<TReport>(), TClassInfo::of<TRpName>(),
            TClassInfo::of<TDataSource>()};
}

QList<TClassInfo> documentClasses()
{
    // The scroll box is part of every stored report document.
    QList<TClassInfo> classes{TClassInfo::of<TVelDataModuleLink>(), TClassInfo::of<TVelDataModule>(),
                              TClassInfo::of<TVelMemo>(), TClassInfo::of<TScrollBox>()};
    classes << TClassInfo::of<TField>() << TClassInfo::of<TStringField>() << TClassInfo::of<TNumericField>()
            << TClassInfo::of<TIntegerField>() << TClassInfo::of<TSmallintField>() << TClassInfo::of<TWordField>()
            << TClassInfo::of<TAutoIncField>() << TClassInfo::of<TFloatField>() << TClassInfo::of<TCurrencyField>()
            << TClassInfo::of<TBCDField>() << TClassInfo::of<TBooleanField>() << TClassInfo::of<TDateTimeField>()
            << TClassInfo::of<TDateField>() << TClassInfo::of<TTimeField>() << TClassInfo::of<TBinaryField>()
            << TClassInfo::of<TBytesField>() << TClassInfo::of<TVarBytesField>() << TClassInfo::of<TBlobField>()
            << TClassInfo::of<TMemoField>() << TClassInfo::of<TGraphicField>() << TClassInfo::of<TWideStringField>();
    return classes;
}

struct Caption {
    const char* className;
    int stringId;
};

const Caption kCaptions[] = {
    {"TRpSubDetail", 33490}, {"TRpBand", 33491},        {"TRpStringsBand", 33491}, {"TRpLoopBand", 33491},
    {"TRpChildBand", 33492}, {"TRpGroup", 33493},       {"TRpLabel", 33494},       {"TRpExpr", 33495},
    {"TRpSysData", 33496},   {"TRpMemo", 33497},        {"TRpRichText", 33498},    {"TVelRpRichText", 33499},
    {"TRpShape", 33500},     {"TRpImage", 33501},       {"TRpDBText", 33502},      {"TVelRpDbText", 33502},
    {"TRpDBRichText", 33503}, {"TRpDBImage", 33504},    {"TRpHeader", 33505},      {"TRpLine", 33506},
    {"TRpFooter", 33507},    {"TRpBarcode", 33593},     {"TRpRLabel", 33596},
};

} // namespace

void registerStorableClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    TClassRegistry& registry = TClassRegistry::instance();
    const ProgramTexts& texts = programTexts();
    registry.registerClasses(pageName(texts.bandsPageName, "Bands"), bandClasses());
    registry.registerClasses(pageName(texts.controlsPageName, "Controls"), controlClasses());
    if (const QList<TClassInfo> extra = extraClasses(); !extra.isEmpty())
        registry.registerClasses(pageName(texts.extraPageName, "Extra"), extra);
    registry.registerClasses(QString(), unplacedClasses());
    registry.registerClasses(QString(), documentClasses());
    // Runs once now and again after every language change.
    RegisterLanguageRefresh(applyPaletteCaptions);
}

void registerStoredOnly(const QList<TClassInfo>& classes)
{
    TClassRegistry::instance().registerClasses(QString(), classes);
}

void applyPaletteCaptions()
{
    TClassRegistry::instance().setStringSource([](int id) { return LoadUiString(id); });
    for (const Caption& caption : kCaptions)
        TClassRegistry::instance().setCaption(QString::fromLatin1(caption.className), caption.stringId);
}

} // namespace classregistration
