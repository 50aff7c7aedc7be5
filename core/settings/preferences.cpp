#include "core/settings/preferences.h"

Preferences& preferences()
{
    static Preferences instance;
    return instance;
}
