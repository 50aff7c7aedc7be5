// Feeds arbitrary bytes to the alias file reader: every alias it gives has a name, and
// they come sorted by name without regard to case.
#include "input_file.h"

#include "data/alias_file.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzzinput::write(QString::fromLatin1(aliasfile::kFileName), data, size);
    if (path.isEmpty())
        return 0;
    const QList<TDatabaseAlias> aliases = aliasfile::read(path);
    for (qsizetype i = 0; i < aliases.size(); ++i) {
        if (aliases[i].name.isEmpty())
            __builtin_trap();
        if (i > 0 && aliases[i - 1].name.compare(aliases[i].name, Qt::CaseInsensitive) > 0)
            __builtin_trap();
        (void)aliasfile::qtDriverName(aliases[i].driver);
    }
    return 0;
}
