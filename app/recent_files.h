// The rules of the recent-file lists: a file leaves its list while its document is open
// and goes to the front when the document is closed; at most five names, newest first.
// File names are compared without regard to case.
#pragma once

#include "core/settings/main_preferences.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace recentfiles {

void forget(QStringList& list, const QString& fileName);
// Puts the name at the front, dropping an earlier entry of it and whatever falls beyond
// the fifth place. An empty name changes nothing.
void remember(QStringList& list, const QString& fileName);

// One entry of the Reopen menu, or a separator between the kinds of files.
struct ReopenEntry {
    QString caption;   // "&A " + file name
    QString fileName;  // empty for a separator
    bool isSeparator() const { return fileName.isEmpty(); }
    bool operator==(const ReopenEntry&) const = default;
};

// Reports, then project files, then datamodules, with a separator between kinds that
// have entries. Files that are open are left out; the letters run on over all entries.
QList<ReopenEntry> reopenEntries(const RecentFiles& files, const std::function<bool(const QString&)>& isOpen);

} // namespace recentfiles
