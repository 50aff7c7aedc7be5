// Where the files that live beside the program are found and written: the enumeration
// names file (".INI"), the language list and language files, the label definitions
// (".ETI"), "Velmor.FDX", "IBAlias.CFG".
//
// Reading looks beside the executable first, then in the user's data folder (where the
// program writes when its own folder is read-only), then in the installed data folder
// (share/velmor under the install prefix). Writing goes beside the executable when that
// folder is writable, otherwise into the user's data folder.
#pragma once

#include <QString>
#include <QStringList>

namespace programfiles {

// The executable's folder, unless another folder was set (the headless runner and the
// tests point it at their own data).
QString programDirectory();
void setProgramDirectory(const QString& directory);  // empty: the executable's folder again

// share/velmor under the install prefix, unless another folder was set.
QString installedDataDirectory();
void setInstalledDataDirectory(const QString& directory);  // empty: the built-in one again

// The user's data folder for the program's files ("velmor" in the generic data location).
QString userDataDirectory();

// The executable's file name without its extension, and that name with another extension
// (for example ".INI").
QString programBaseName();
QString programFileName(const QString& extension);

// The folders searched for a file, in order.
QStringList searchDirectories();

// The path of the first existing file of that name in the search folders; empty if none.
QString findProgramFile(const QString& fileName);

// Where a file of that name is to be written; the folder exists when this returns.
QString writableProgramFile(const QString& fileName);

} // namespace programfiles
