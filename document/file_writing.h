// Writing a document file: the new bytes are written completely beside the old file,
// then the old version becomes the backup and the new one takes the file's name. A write
// that fails leaves the old file and the old backup as they were.
#pragma once

#include <QByteArray>
#include <QString>

namespace filewriting {

// report.VRP gives report.~VR: ".~" and the first two characters of the old extension.
QString backupName(const QString& fileName);

// Gives an existing file's content its backup name, replacing an old backup, while the
// file keeps its own name. A backup that cannot be made shows "Error! No backup file
// created!" with both names; the save goes on.
void makeBackup(const QString& fileName);

// Writes the file with a backup of its old version; raises EVelError with the reason
// when it cannot be written.
void writeWithBackup(const QString& fileName, const QByteArray& bytes);

// Reads a whole file; raises EVelError when it cannot be opened.
QByteArray readAll(const QString& fileName);

} // namespace filewriting
