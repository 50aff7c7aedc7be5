// The field list a design window offers for its datasets, built from the field objects,
// the field definitions and the field description file ("Velmor.FDX"): one entry per
// line, "-" lines as headings, "key|caption" lines as captions of fields.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TComponent;
class TDataSet;

struct TFieldDescEntry {
    QString text;
    TDataSet* dataSet = nullptr; // none for a heading
};

namespace fielddescriptions {

// The file's lines; a missing or unreadable file gives none.
QStringList readLines(const QString& fileName);
// The file to use: the name given, else the same name in the program's folder; empty
// when neither exists.
QString locate(const QString& fileName);

// The entries for one dataset. `designWindow` decides how the dataset is named (its own
// name when the window owns it, else "<owner>.<name>"). Messages ("Invalid Field [%s]
// in %s", "Exception on init of dataset : ") go to the message display.
QList<TFieldDescEntry> entriesFor(TDataSet* dataSet, const TComponent* designWindow);

} // namespace fielddescriptions
