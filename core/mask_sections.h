// Pieces shared by the number and date-time masks: sections and quoted literals.
#pragma once

#include <QString>
#include <QStringList>

namespace rpmask {

bool isQuote(QChar c);

// Splits a mask at ';' outside quoted text.
QStringList splitSections(const QString& mask);

// Reads the quoted literal starting at mask[pos] (a quote character); moves pos past the
// closing quote, or to the end when it is missing. Gives the text between the quotes.
QString readQuoted(const QString& mask, qsizetype& pos);

} // namespace rpmask
