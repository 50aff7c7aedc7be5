// Feeds arbitrary bytes to the language file reader (as a language file and as a list
// file), to the enumeration names file reader with a list built from it, and to the
// string table parser; then looks texts up through a loaded language made of the bytes.
#include "core/settings/enumeration_names.h"
#include "core/settings/file_locations.h"
#include "core/settings/profile_file.h"
#include "core/strings/language.h"
#include "core/strings/language_files.h"
#include "core/strings/ui_string_table.h"
#include "core/strings/ui_strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const QStringList kShapes{"rpsRectangle", "rpsCircle", "rpsVertLine", "rpsHorLine", "rpsTopAndBottom", "rpsRightAndLeft"};

QTemporaryDir& programFolder()
{
    static QTemporaryDir folder;
    return folder;
}

void loadAsLanguageFile(QByteArrayView bytes)
{
    QFile file(programFolder().filePath(QStringLiteral("Layout.FUZ")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(bytes.data(), bytes.size());
    file.close();
    LoadLanguage(QStringLiteral("FUZZ"), 33000);
    for (int id : {32999, 33000, 33001, 33264, 33631, 31001})
        (void)LoadMessageString(id);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    programfiles::setProgramDirectory(programFolder().path());
    setLanguageFileSource(QStringLiteral("Layout"), 33000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = splitLanguageText(bytes);
    (void)languageListFromLines(lines);
    (void)parseUiStringTable(bytes);
    const std::optional<ProfileFile> names = ProfileFile::parse(bytes);
    for (const QString& entry : enumerationList(names, QStringLiteral("TRpShapeType"), kShapes))
        (void)enumerationEntryValueName(entry);
    loadAsLanguageFile(bytes);
    return 0;
}
