#include "data/field_description.h"

#include "core/error.h"
#include "core/settings/file_locations.h"
#include "data/data_notices.h"
#include "data/dataset.h"
#include "data/dataset_info.h"
#include "data/field.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace fielddescriptions {

namespace {

constexpr int kMaxCaption = 120;

struct Line {
    bool heading = false;
    QString key;
    QString text; // heading text, or caption
};

Line parse(const QString& raw)
{
    Line line;
    const qsizetype bar = raw.indexOf(u'|');
    if (raw.startsWith(u'-')) {
        line.heading = true;
        line.text = bar < 0 ? raw : raw.mid(bar + 1);
        return line;
    }
    if (bar < 0)
        return line; // neither heading nor caption: ignored
    line.key = raw.left(bar).trimmed();
    line.text = raw.mid(bar + 1).left(kMaxCaption);
    return line;
}

QStringList fieldNames(TDataSet* dataSet, const TComponent* designWindow)
{
    QStringList names;
    if (!dataSet->fields().isEmpty()) {
        for (TField* field : dataSet->fields())
            names.append(field->fieldName());
        return names;
    }
    try {
        dataSet->updateFieldDefs();
        for (const TFieldDef& def : dataSet->fieldDefs())
            names.append(def.name);
    } catch (const EVelError&) {
        const TComponent* container = dataSet->owner() ? dataSet->owner() : designWindow;
        datanotices::showMessage(QStringLiteral("Exception on init of dataset : ") + (container ? container->name() : QString()));
    }
    return names;
}

QString qualifiedName(const TDataSet* dataSet, const TComponent* designWindow)
{
    if (dataSet->owner() == designWindow || !dataSet->owner())
        return dataSet->name();
    return dataSet->owner()->name() + u'.' + dataSet->name();
}

} // namespace

QStringList readLines(const QString& fileName)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    for (const QByteArray& bytes : file.readAll().split('\n')) {
        QString line = QString::fromUtf8(bytes);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString locate(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    if (QFileInfo(fileName).isFile())
        return fileName;
    const QString beside = QDir(programfiles::programDirectory()).filePath(QFileInfo(fileName).fileName());
    return QFileInfo(beside).isFile() ? beside : QString();
}

QList<TFieldDescEntry> entriesFor(TDataSet* dataSet, const TComponent* designWindow)
{
    QList<TFieldDescEntry> entries;
    if (!dataSet)
        return entries;
    const QString fileName = locate(dsinfo::fieldDescFileName(dataSet));
    const QStringList rawLines = readLines(fileName);
    const QStringList names = fieldNames(dataSet, designWindow);
    const QString qualified = qualifiedName(dataSet, designWindow);
    if (rawLines.isEmpty()) {
        for (const QString& name : names)
            entries.append({qualified + u'.' + name, dataSet});
        return entries;
    }
    QList<Line> lines;
    for (const QString& raw : rawLines)
        lines.append(parse(raw));
    // The caption of the first line with each key, keys compared without regard to case;
    // looked up once per line, so a long file costs no more than it is long.
    QHash<QString, QString> firstCaptions;
    for (const Line& line : std::as_const(lines)) {
        const QString key = line.key.toCaseFolded();
        if (!line.heading && !firstCaptions.contains(key))
            firstCaptions.insert(key, line.text);
    }
    for (const Line& line : std::as_const(lines)) {
        if (line.heading) {
            entries.append({line.text, nullptr});
            continue;
        }
        if (line.key.isEmpty())
            continue;
        // An empty caption counts as none.
        const QString caption = firstCaptions.value(line.key.toCaseFolded());
        if (caption.isEmpty()) {
            datanotices::showMessage(QStringLiteral("Invalid Field [%1] in %2").arg(line.key, fileName));
            continue;
        }
        entries.append({caption + u'|' + qualified + u'.' + line.key, dataSet});
    }
    return entries;
}

} // namespace fielddescriptions
