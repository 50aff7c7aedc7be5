// Integer properties whose values have identifiers in files (cursors, font charsets).
// A property names its map with the class-info entry "idents:<Property>".
#pragma once

#include <QString>

#include <optional>

namespace idents {

// The identifier of `value` in the named map ("TCursor", "TFontCharset").
std::optional<QString> toIdent(QStringView map, int value);
// The value of an identifier, without regard to case.
std::optional<int> fromIdent(QStringView map, QStringView ident);

} // namespace idents
