// Lookup of user-interface texts by numeric string id: the loaded language file first,
// the built-in English table otherwise.
#pragma once

#include <QString>

// The text for id; the empty string when neither the language file nor the built-in
// table has one. Never fails.
QString LoadUiString(int id);

// LoadUiString(id) prepared for message boxes and labels: every "<>" becomes a line feed
// followed by a carriage return, and every "&" is removed.
QString LoadMessageString(int id);

// The message-text transformation on its own, for texts that do not come from the table.
QString toMessageText(QString text);
