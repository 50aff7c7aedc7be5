// Helpers for reading expression text at its top level: outside single-quoted strings,
// square brackets and parentheses.
#pragma once

#include <QString>
#include <vector>

// For every position, whether the character stands at the top level.
std::vector<bool> rpEvTopLevelMask(const QString& text);

// Whether the "+" or "-" at position is a binary operator rather than a sign: a sign stands
// first, after another operator, an opening parenthesis, a comma or the words OR, AND and
// NOT, or is the exponent sign of a number such as 1E-3.
bool rpEvIsBinarySign(const QString& text, int position);

// The text with every top-level a and b exchanged; with onlyBinarySigns, signs are left alone.
QString rpEvSwapOperators(const QString& text, QChar a, QChar b, bool onlyBinarySigns);

// Whether text holds, at position, whitespace followed by word (any case) and whitespace.
bool rpEvIsWordOperatorAt(const QString& text, int position, const QString& word);

bool rpEvIsAsciiDigit(QChar c);
