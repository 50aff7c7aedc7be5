#include "document/form_source_export.h"

#include "core/control.h"
#include "core/error.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "data/data_source.h"
#include "document/document_messages.h"
#include "document/file_writing.h"
#include "document/form_resource.h"
#include "document/vel_design.h"

#include <QFileInfo>
#include <QHash>
#include <QPoint>

#include <algorithm>

namespace formsource {

namespace {

const char* const kUnitHead[] = {
    "//-----------------------------------------------------//",
    "//-----------------------------------------------------//",
    "//-- This Form is created with Velmor 3.0            --//",
    "//-----------------------------------------------------//",
    "//-----------------------------------------------------//",
};

// Gives every unnamed component its class name without the first letter and a counter
// shared by the whole export, raised whenever a name is refused as taken.
void nameUnnamedComponents(TfrmVelDesign& document)
{
    int counter = 0;
    for (TComponent* component : document.components()) {
        if (!component->name().isEmpty())
            continue;
        for (;;) {
            const QString candidate = component->className().mid(1) + QString::number(counter);
            if (!document.findComponent(candidate)) {
                component->setNameUnchecked(candidate);
                break;
            }
            ++counter;
        }
    }
}

using DesignPositions = QHash<const TComponent*, QPoint>;

// Data sources at left 40, one below the other 50 apart, their datasets at left 120.
DesignPositions placeDataSources(TfrmVelDesign& document)
{
    DesignPositions positions;
    int top = 1;
    for (TComponent* component : document.components()) {
        auto* source = qobject_cast<TDataSource*>(component);
        if (!source)
            continue;
        positions.insert(source, QPoint(40, top));
        if (TDataSet* dataSet = source->dataSet()) {
            positions.insert(dataSet, QPoint(120, top));
            try {
                source->setName(QStringLiteral("ds") + dataSet->name());
            } catch (const EVelError&) {
                // A refused name leaves the old one.
            }
        }
        top += 50;
    }
    return positions;
}

// Non-visual components carry their design position as "Left" and "Top".
void addDesignPositions(TStreamObject& record, const TfrmVelDesign& document, const DesignPositions& positions)
{
    for (TStreamObject& child : record.children) {
        const TComponent* component = document.findComponent(child.name);
        if (!component || qobject_cast<const TControl*>(component) || !positions.contains(component))
            continue;
        const QPoint position = positions.value(component);
        child.properties.append({QStringLiteral("Left"), TStreamValue::integer(position.x())});
        child.properties.append({QStringLiteral("Top"), TStreamValue::integer(position.y())});
    }
}

QByteArray formFileWith(TfrmVelDesign& document, const DesignPositions& positions)
{
    TStreamObject record = componentstream::rootRecord(&document);
    // The stream's root class is the form class the unit declares.
    record.className = QStringLiteral("T") + document.name();
    addDesignPositions(record, document, positions);
    return formresource::write(QStringLiteral("T") + document.name(), binarystream::write(record));
}

QString withExtension(const QString& fileName, const char* extension)
{
    const QFileInfo info(fileName);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') + QLatin1String(extension);
}

} // namespace

TExportNames exportNames(const QString& chosenFile)
{
    // The folder is kept as the user wrote it (none for a name in the current folder),
    // so that only a changed file name makes the export name differ from the chosen one.
    const qsizetype folderEnd = std::max(chosenFile.lastIndexOf(u'/'), chosenFile.lastIndexOf(u'\\')) + 1;
    QString base = chosenFile.mid(folderEnd);
    const qsizetype dot = base.indexOf(u'.');
    if (dot >= 0)
        base.truncate(dot);
    base.replace(u' ', u'_');
    if (!base.isEmpty())
        base[0] = base[0].toUpper();
    return {base, chosenFile.left(folderEnd) + base + QStringLiteral(".DFM")};
}

void checkExportable(const TfrmVelDesign& document)
{
    if (!document.dataModuleLinks().isEmpty())
        throw EVelError(QStringLiteral(
            "Only reports without DataModules are supported right now.\n\rDataModule support wil come later."));
}

void exportForm(TfrmVelDesign& document, const QString& chosenFile)
{
    const TExportNames names = exportNames(chosenFile);
    const QString formName = QStringLiteral("frm") + names.baseName;
    if (names::isValidIdentifier(formName))
        document.setNameUnchecked(formName);
    if (names.exportFile != chosenFile)
        docmessages::show(QStringLiteral("Invalid filename! Now file not saved as %1 but as %2.")
                              .arg(chosenFile, names.exportFile));

    document.clearModifiedMark();
    nameUnnamedComponents(document);
    const DesignPositions positions = placeDataSources(document);
    filewriting::writeWithBackup(withExtension(names.exportFile, "PAS"),
                                 unitSource(document, document.name().mid(3)));
    filewriting::writeWithBackup(names.exportFile, formFileWith(document, positions));
}

QByteArray unitSource(const TfrmVelDesign& document, const QString& unitName)
{
    const QString form = document.name();
    QStringList lines;
    for (const char* line : kUnitHead)
        lines.append(QLatin1String(line));
    lines << QStringLiteral("unit %1;").arg(unitName) << QString();
    lines << QStringLiteral("interface") << QString();
    lines << QStringLiteral("uses")
          << QStringLiteral("  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs,")
          << QStringLiteral("  Db, DBTables, RpCtrls, RpReport, ExtCtrls;") << QString();
    lines << QStringLiteral("type") << QStringLiteral("  T%1 = class(TForm)").arg(form);
    for (const TComponent* component : document.components())
        lines << QStringLiteral("    %1 : %2;").arg(component->name(), component->className());
    lines << QStringLiteral("  private") << QStringLiteral("    { Private declarations }")
          << QStringLiteral("  public") << QStringLiteral("    { Public declarations }") << QStringLiteral("  end;")
          << QString();
    lines << QStringLiteral("  var") << QStringLiteral("    %1 : T%1;").arg(form) << QString();
    lines << QStringLiteral("implementation") << QString() << QStringLiteral("{$R *.DFM}") << QString()
          << QStringLiteral("end.");
    return (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toLatin1();
}

QByteArray formFile(TfrmVelDesign& document)
{
    return formFileWith(document, {});
}

} // namespace formsource
