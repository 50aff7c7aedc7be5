// Writing a document file: the backup of the old version first, then the new bytes,
// which replace the file only once they are completely written.
#pragma once

#include <QByteArray>
#include <QString>

namespace filewriting {

// report.VRP gives report.~VR: ".~" and the first two characters of the old extension.
QString backupName(const QString& fileName);

// Moves an existing file to its backup name (an old backup is deleted first). A move
// that fails shows "Error! No backup file created!" with both names; the save goes on.
void makeBackup(const QString& fileName);

// Makes the backup, then writes the file; raises EVelError when it cannot be written.
void writeWithBackup(const QString& fileName, const QByteArray& bytes);

// Reads a whole file; raises EVelError when it cannot be opened.
QByteArray readAll(const QString& fileName);

} // namespace filewriting
