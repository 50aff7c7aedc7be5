// The font character set identifiers a report font can name (the default character set
// preference and the configuration window's list).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct CharacterSet {
    const char* identifier;  // "ANSI_CHARSET"
    int value;               // 0
};

// The 18 identifiers in value order.
const QList<CharacterSet>& characterSets();

// The identifiers sorted by name, as the configuration window lists them.
QStringList characterSetIdentifiersByName();

std::optional<int> characterSetValue(const QString& identifier);
