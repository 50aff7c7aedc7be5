#include "document/file_writing.h"

#include "core/error.h"
#include "document/document_messages.h"
#include "document/file_kind.h"

#include <QFile>
#include <QSaveFile>

namespace filewriting {

QString backupName(const QString& fileName)
{
    const QString ext = filekind::extension(fileName);
    const QString stem = ext.isEmpty() && !fileName.endsWith(u'.') ? fileName : fileName.left(fileName.size() - ext.size() - 1);
    return stem + QStringLiteral(".~") + ext.left(2);
}

void makeBackup(const QString& fileName)
{
    if (!QFile::exists(fileName))
        return;
    const QString backup = backupName(fileName);
    if (QFile::exists(backup))
        QFile::remove(backup);
    if (!QFile::rename(fileName, backup)) {
        docmessages::show(QStringLiteral("Error! No backup file created!\n\r") + backup + QStringLiteral("\n\r")
                          + QStringLiteral("for ") + fileName);
    }
}

void writeWithBackup(const QString& fileName, const QByteArray& bytes)
{
    makeBackup(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EVelError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

QByteArray readAll(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

} // namespace filewriting
