#include "document/file_writing.h"

#include "core/error.h"
#include "core/output_file.h"
#include "document/document_messages.h"
#include "document/file_kind.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

namespace filewriting {

namespace {

// The backup as a second name of the old file, put in place in one step; false when the
// file system has no such names.
bool linkAsBackup(const QString& fileName, const QString& backup)
{
    const QByteArray link = QFile::encodeName(backup + QStringLiteral(".")
                                              + QString::number(QRandomGenerator::global()->generate64(), 36));
    if (::linkat(AT_FDCWD, QFile::encodeName(fileName).constData(), AT_FDCWD, link.constData(), AT_SYMLINK_FOLLOW) != 0)
        return false;
    if (::rename(link.constData(), QFile::encodeName(backup).constData()) == 0)
        return true;
    ::unlink(link.constData());
    return false;
}

bool copyAsBackup(const QString& fileName, const QString& backup)
{
    QFile old(fileName);
    if (!old.open(QIODevice::ReadOnly))
        return false;
    TVelOutputFile copy(backup);
    if (!copy.openOutput())
        return false;
    while (!old.atEnd()) {
        const QByteArray block = old.read(1 << 20);
        if (block.isEmpty() || copy.write(block) != block.size())
            return false;
    }
    return copy.commit();
}

[[noreturn]] void cannotWrite(const QString& fileName, const TVelOutputFile& file)
{
    throw EVelError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

} // namespace

QString backupName(const QString& fileName)
{
    const QString ext = filekind::extension(fileName);
    const QString stem = ext.isEmpty() && !fileName.endsWith(u'.') ? fileName : fileName.left(fileName.size() - ext.size() - 1);
    return stem + QStringLiteral(".~") + ext.left(2);
}

void makeBackup(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile())
        return;
    const QString backup = backupName(fileName);
    if (!linkAsBackup(fileName, backup) && !copyAsBackup(fileName, backup)) {
        docmessages::show(QStringLiteral("Error! No backup file created!\n\r") + backup + QStringLiteral("\n\r")
                          + QStringLiteral("for ") + fileName);
    }
}

void writeWithBackup(const QString& fileName, const QByteArray& bytes)
{
    TVelOutputFile file(fileName);
    if (!file.openOutput() || file.write(bytes) != bytes.size() || !file.sync())
        cannotWrite(fileName, file);
    // Only a complete new version is worth a backup of the old one.
    if (file.replacesOnCommit())
        makeBackup(fileName);
    if (!file.commit())
        cannotWrite(fileName, file);
}

QByteArray readAll(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EVelError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

} // namespace filewriting
