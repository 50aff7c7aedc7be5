// Files and folders that must not outlive the process: temporary files and folders of
// this run, removed by their owners on a normal end and by the signal handlers here when
// the process is interrupted, terminated or crashes.
#pragma once

#include <QString>

namespace exitcleanup {

// Remembers a path to remove if the process dies by a signal; answers a handle for
// forget(), or -1 when every slot is taken (the path is then simply not covered).
// A folder is removed with the files directly inside it.
int remember(const QString& path, bool isFolder);
void forget(int handle);

// Installs handlers for the signals that end a process (SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGPIPE, SIGXFSZ and the crash signals) that remove every remembered path and then end
// the process as the signal would have. Signals the process ignores stay ignored.
void installSignalHandlers();

} // namespace exitcleanup
