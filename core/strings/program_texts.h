// Program-wide texts that other modules read instead of looking the ids up themselves.
// They follow the current language through a refresh procedure.
#pragma once

#include <QString>

struct ProgramTexts {
    QString programTitle;      // "Velmor  5.0.2 English": name, two blanks, version, blank, language
    QString primaryIndexName;  // shown as "[ " + text + " ]" for a table's primary index
    QString noneEntry;         // the empty choice of property drop-downs
    QString untitledName;      // title of a document not yet saved
    QString controlsPageName;  // component palette pages
    QString bandsPageName;
    QString extraPageName;
    QString modifiedMarker;    // status bar of the database manager
    QString reportKindName;    // file type names of the open and save dialogs
    QString dataModuleKindName;
    QString cantOpenTable;     // formats, %s = dataset name
    QString cantOpenQuery;
    QString fileMenuTitle;     // menu titles without accelerator marks
    QString editMenuTitle;
    QString viewMenuTitle;
    QString toolsMenuTitle;
};

// The texts of the current language. The first call registers their refresh procedure.
const ProgramTexts& programTexts();
