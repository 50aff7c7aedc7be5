// The Language menu: one entry per language of the list file (prefix + ".LNG"), each
// loading its language when chosen.
#pragma once

#include <QObject>

class QMenu;
class QString;

// Carries the click handler shared by every entry of the language menu. One instance,
// owned by the application object, is made the first time a language menu is built.
class TCatcher : public QObject {
    Q_OBJECT
public:
    static TCatcher* instance();

    // Loads the language whose code is the hint of the menu item; other senders and
    // items without a hint do nothing.
    void languageItemClicked(QObject* sender);

private:
    explicit TCatcher(QObject* owner);
};

// Appends an entry "&A name", "&B name", ... for each code and name pair of the list
// file, with the code as the entry's hint. Without a list file the menu stays as it is and
// the language state is unchanged; otherwise the prefix and base id become the ones
// language files are loaded with.
void BuildLanguageMenu(QMenu* parent, int baseId, const QString& prefix);
