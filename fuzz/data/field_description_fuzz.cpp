// Feeds arbitrary bytes to the field description file reader as "Velmor.FDX" beside the
// program, then builds the field list of a dataset with two persistent fields from it:
// headings have no dataset, every other entry names this dataset.
#include "input_file.h"

#include "core/component.h"
#include "core/settings/file_locations.h"
#include "data/data_notices.h"
#include "data/dataset_info.h"
#include "data/field.h"
#include "data/field_description.h"
#include "data/table.h"

#include <QCoreApplication>

namespace {

TComponent* designWindow = nullptr;
TTable* table = nullptr;

void addField(const QString& name)
{
    auto* field = new TField(designWindow);
    field->setFieldName(name);
    field->setDataSet(table);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    programfiles::setProgramDirectory(fuzzinput::folder().path());
    dsinfo::registerLocalEngine();
    datanotices::setMessageDisplay([](const QString&) {});
    designWindow = new TComponent();
    designWindow->setName(QStringLiteral("Report"));
    table = new TTable(designWindow);
    table->setName(QStringLiteral("Customers"));
    addField(QStringLiteral("ID"));
    addField(QStringLiteral("NAME"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzzinput::write(QStringLiteral("Velmor.FDX"), data, size);
    if (path.isEmpty())
        return 0;
    const QStringList lines = fielddescriptions::readLines(path);
    const QList<TFieldDescEntry> entries = fielddescriptions::entriesFor(table, designWindow);
    if (entries.size() > lines.size() + 2)
        __builtin_trap(); // at most one entry per line, or one per field without lines
    for (const TFieldDescEntry& entry : entries) {
        if (entry.dataSet && entry.dataSet != table)
            __builtin_trap();
    }
    return 0;
}
