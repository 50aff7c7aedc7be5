// The kinds of files the system knows, decided by the extension alone (without regard
// to case), with the type codes of the type-aware open dialog.
#pragma once

#include <QString>

enum class TVelFileKind { None = 0, Vtx = 1, Vrp = 2, Vdm = 3, Rpp = 4, Rpe = 5, Dfm = 6, Vfd = 7 };

namespace filekind {

TVelFileKind of(const QString& fileName);
// The extension of a path (after its last dot, not crossing a folder), or empty.
QString extension(const QString& fileName);

} // namespace filekind
