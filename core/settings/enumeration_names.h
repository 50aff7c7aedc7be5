// Display texts of enumeration values for the drop-down lists of the properties dialogs,
// from the enumeration names file beside the program (the program's name with ".INI").
//
// For an enumeration type T, section T maps value names to display texts and section
// "op" + T holds ShowEmpty (integer, default 1). A value with a display text is listed as
// display text + "|" + value name; one without is listed as its plain name, and only when
// ShowEmpty is not 0.
#pragma once

#include <QStringList>

#include <optional>

class ProfileFile;
class QMetaEnum;

// The list for typeName over valueNames (in declaration order). Without a file every
// value is listed by its plain name.
QStringList enumerationList(const std::optional<ProfileFile>& file, const QString& typeName,
                            const QStringList& valueNames);

// The same from the program's enumeration names file, read at each call.
QStringList enumerationList(const QString& typeName, const QStringList& valueNames);
QStringList enumerationList(const QMetaEnum& enumeration);

// The value names of a Qt enumeration in declaration order.
QStringList enumerationValueNames(const QMetaEnum& enumeration);

// The value name of a list entry: what follows its last "|", or the whole entry. Lists
// built with ShowEmpty 0 may leave values out, so callers map entries back by name, not
// by position.
QString enumerationEntryValueName(const QString& entry);

// Path of the program's enumeration names file, empty when there is none.
QString enumerationNamesFilePath();
