// The three visual and layout styles of the panel manager.
#pragma once

#include <QObject>

namespace Workspace {
Q_NAMESPACE

// pkNetScape: every panel is a full-width band with a coloured tab; a click on the tab
//             collapses the panel.
// pkMicroSoft: panels share rows of ButtonHeight like tool bars, each with a grip.
// pkDovrand:  rows as pkMicroSoft, tabs and collapsing as pkNetScape.
enum class TPanelKind { pkNetScape = 0, pkMicroSoft = 1, pkDovrand = 2 };
Q_ENUM_NS(TPanelKind)

} // namespace Workspace

using Workspace::TPanelKind;
