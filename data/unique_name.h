// The name the database manager gives components it creates (fields, dropped controls).
#pragma once

#include <QString>

class TComponent;

namespace componentnames {

// With a text: the text made an identifier (a first character that is no letter becomes
// "a", other characters that are no letter or digit become "_"); without one: the class
// name without its first letter. The base itself when free in the owner, else the base
// followed by 0, 1, 2, ... The component gets that name, which is also returned.
QString UniqueComponentName(TComponent* component, const QString& text = QString());

} // namespace componentnames
