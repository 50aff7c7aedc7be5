// Where the document layer shows the messages that do not stop an operation (a backup
// that could not be made, a datamodule name clash) and the errors of failed loads. The
// application installs its message box; without one they go to standard error.
#pragma once

#include <QString>

#include <functional>

namespace docmessages {

using Handler = std::function<void(const QString& text)>;

// Installs the handler and returns the previous one.
Handler setHandler(Handler handler);
void show(const QString& text);

} // namespace docmessages
