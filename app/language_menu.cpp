#include "app/language_menu.h"

#include "app/ui_labels.h"
#include "core/strings/language.h"
#include "core/strings/language_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>

namespace {

QPointer<TCatcher>& catcherInstance()
{
    static QPointer<TCatcher> catcher;
    return catcher;
}

QString entryCaption(qsizetype index, const QString& name)
{
    return QStringLiteral("&") + QChar(char16_t(u'A' + index)) + QLatin1Char(' ') + name;
}

} // namespace

TCatcher::TCatcher(QObject* owner)
    : QObject(owner)
{
}

TCatcher* TCatcher::instance()
{
    if (!catcherInstance())
        catcherInstance() = new TCatcher(QCoreApplication::instance());
    return catcherInstance();
}

void TCatcher::languageItemClicked(QObject* sender)
{
    if (!qobject_cast<QAction*>(sender))
        return;
    const QString code = menuItemHint(sender);
    if (!code.isEmpty())
        LoadLanguage(code, languageBaseId());
}

void BuildLanguageMenu(QMenu* parent, int baseId, const QString& prefix)
{
    TCatcher* catcher = TCatcher::instance();
    const QString listFile = findLanguageListFile(prefix);
    if (listFile.isEmpty() || !parent)
        return;
    setLanguageFileSource(prefix, baseId);
    const QList<LanguageListEntry> entries = languageListFromLines(readLanguageLines(listFile).value_or(QStringList()));
    for (qsizetype k = 0; k < entries.size(); ++k) {
        auto* item = new QAction(entryCaption(k, entries[k].name), parent);
        setControlHintText(item, entries[k].code);
        QObject::connect(item, &QAction::triggered, catcher, [catcher, item] { catcher->languageItemClicked(item); });
        parent->addAction(item);
    }
}
