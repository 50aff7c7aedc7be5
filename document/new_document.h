// The new report document of the File menu's New command, before any window shows it.
#pragma once

#include <memory>

class TComponent;
class TfrmVelDesign;

namespace newdocument {

// A document ready for designing whose report font takes the default character set
// of the preferences; an identifier the character set list does not know leaves the
// font's own character set.
std::unique_ptr<TfrmVelDesign> createReportDocument(TComponent* owner = nullptr);

} // namespace newdocument
