// The process-wide language state: which language file is loaded, the refresh procedures
// that keep program texts current, and the live language components that relabel windows.
// Everything runs on the UI thread.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

using LanguageRefresh = std::function<void()>;
using LanguageRefreshId = int;

// Appends the procedure to the refresh list and runs it once at once, so the texts it
// keeps are valid before any language is loaded. The id serves to unregister it.
LanguageRefreshId RegisterLanguageRefresh(LanguageRefresh procedure);
// For a module whose texts go away before the program ends.
void UnregisterLanguageRefresh(LanguageRefreshId id);

// Loads the language file prefix + "." + code (found by the program-file rule) and
// relabels the application: refresh procedures in registration order, then every live
// language component in creation order. A missing or unreadable file switches lookups
// back to the built-in texts without relabelling; nothing is reported.
void LoadLanguage(const QString& code, int baseId);

// The translated text of id while a language file is loaded and covers id.
std::optional<QString> translatedUiString(int id);

// Set by the language menu when its list file exists.
void setLanguageFileSource(const QString& prefix, int baseId);
QString languageFilePrefix();
int languageBaseId();

// At most three characters; empty until a language file has been loaded.
QString currentLanguageCode();
bool isLanguageLoaded();

// Back to the built-in texts with no prefix, base id or language code, as at program
// start; refresh procedures and live components stay registered.
void resetLanguageSelection();

// resetLanguageSelection() and the refresh procedures dropped; for shutdown.
void releaseLanguageState();

// A component that relabels its window after a language change. It joins the live list
// when constructed and leaves it when destroyed.
class LiveLanguageComponent {
public:
    LiveLanguageComponent(const LiveLanguageComponent&) = delete;
    LiveLanguageComponent& operator=(const LiveLanguageComponent&) = delete;

    virtual void languageChanged() = 0;

protected:
    LiveLanguageComponent();
    virtual ~LiveLanguageComponent();
};

int liveLanguageComponentCount();
