#include "document/new_document.h"

#include "core/font.h"
#include "core/settings/character_sets.h"
#include "core/settings/preferences.h"
#include "document/vel_design.h"
#include "engine/rp_report.h"

namespace newdocument {

std::unique_ptr<TfrmVelDesign> createReportDocument(TComponent* owner)
{
    auto document = std::make_unique<TfrmVelDesign>(owner);
    if (const std::optional<int> charset = characterSetValue(preferences().defaultCharSet))
        document->report()->font()->setCharset(*charset);
    document->documentReady();
    document->updateCaption();
    return document;
}

} // namespace newdocument
