#include "core/strings/language.h"

#include "core/strings/language_files.h"

#include <QList>

namespace {

struct LanguageState {
    QStringList translatedLines;
    int baseId = 0;
    bool notLoaded = true;
    QString prefix;
    QString code;
    QList<std::pair<LanguageRefreshId, LanguageRefresh>> refreshProcedures;
    LanguageRefreshId lastRefreshId = 0;
    QList<LiveLanguageComponent*> liveComponents;
};

LanguageState& state()
{
    static LanguageState instance;
    return instance;
}

// A failing procedure must not keep the others from relabelling, and no error of a
// relabel reaches the user.
template <typename Procedure>
void runQuietly(Procedure&& procedure)
{
    try {
        procedure();
    } catch (...) {
    }
}

void relabelApplication()
{
    // Copies: a procedure may register another one, or a relabel may close a window.
    const auto procedures = state().refreshProcedures;
    for (const auto& [id, procedure] : procedures)
        runQuietly(procedure);
    const QList<LiveLanguageComponent*> components = state().liveComponents;
    for (LiveLanguageComponent* component : components) {
        if (state().liveComponents.contains(component))
            runQuietly([component] { component->languageChanged(); });
    }
}

} // namespace

LanguageRefreshId RegisterLanguageRefresh(LanguageRefresh procedure)
{
    if (!procedure)
        return 0;
    const LanguageRefreshId id = ++state().lastRefreshId;
    state().refreshProcedures.append({id, procedure});
    runQuietly(procedure);
    return id;
}

void UnregisterLanguageRefresh(LanguageRefreshId id)
{
    state().refreshProcedures.removeIf([id](const auto& entry) { return entry.first == id; });
}

void LoadLanguage(const QString& code, int baseId)
{
    LanguageState& language = state();
    language.notLoaded = true;
    const QString path = findLanguageFile(language.prefix, code);
    if (path.isEmpty())
        return;
    language.code = code.left(3);
    std::optional<QStringList> lines = readLanguageLines(path);
    if (!lines)
        return;
    language.translatedLines = std::move(*lines);
    language.notLoaded = false;
    language.baseId = baseId;
    relabelApplication();
}

std::optional<QString> translatedUiString(int id)
{
    const LanguageState& language = state();
    if (language.notLoaded)
        return std::nullopt;
    const qint64 line = qint64(id) - language.baseId;
    if (line < 0 || line >= language.translatedLines.size())
        return std::nullopt;
    return language.translatedLines.at(qsizetype(line));
}

void setLanguageFileSource(const QString& prefix, int baseId)
{
    state().prefix = prefix;
    state().baseId = baseId;
}

QString languageFilePrefix()
{
    return state().prefix;
}

int languageBaseId()
{
    return state().baseId;
}

QString currentLanguageCode()
{
    return state().code;
}

bool isLanguageLoaded()
{
    return !state().notLoaded;
}

void resetLanguageSelection()
{
    LanguageState& language = state();
    language.translatedLines.clear();
    language.baseId = 0;
    language.notLoaded = true;
    language.prefix.clear();
    language.code.clear();
}

void releaseLanguageState()
{
    resetLanguageSelection();
    state().refreshProcedures.clear();
}

LiveLanguageComponent::LiveLanguageComponent()
{
    state().liveComponents.append(this);
}

LiveLanguageComponent::~LiveLanguageComponent()
{
    state().liveComponents.removeOne(this);
}

int liveLanguageComponentCount()
{
    return int(state().liveComponents.size());
}
