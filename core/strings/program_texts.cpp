#include "core/strings/program_texts.h"

#include "core/strings/language.h"
#include "core/strings/ui_strings.h"

namespace {

ProgramTexts& texts()
{
    static ProgramTexts instance;
    return instance;
}

void refreshProgramTexts()
{
    ProgramTexts& t = texts();
    t.programTitle = LoadUiString(33000) + QStringLiteral("  ") + LoadUiString(33001)
        + QLatin1Char(' ') + LoadUiString(33002);
    t.primaryIndexName = LoadUiString(33029);
    t.noneEntry = LoadUiString(33032);
    t.untitledName = LoadUiString(33033);
    t.controlsPageName = LoadUiString(33034);
    t.bandsPageName = LoadUiString(33035);
    t.extraPageName = LoadUiString(33036);
    t.modifiedMarker = LoadUiString(33037);
    t.reportKindName = LoadUiString(33038);
    t.dataModuleKindName = LoadUiString(33039);
    t.cantOpenTable = LoadUiString(33026);
    t.cantOpenQuery = LoadUiString(33027);
    t.fileMenuTitle = LoadMessageString(33043);
    t.editMenuTitle = LoadMessageString(33075);
    t.viewMenuTitle = LoadMessageString(33101);
    t.toolsMenuTitle = LoadMessageString(33115);
}

} // namespace

const ProgramTexts& programTexts()
{
    static const bool registered = [] {
        RegisterLanguageRefresh(refreshProgramTexts);
        return true;
    }();
    (void)registered;
    return texts();
}
