// The clipboard's form of a selection: the text form of the component stream, one
// object after another, each from a line "object Name: Class" to its line "end".
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class TControl;

namespace clipboardtext {

// The controls as text; only those with the same parent as the first are written.
QByteArray write(const QList<TControl*>& controls);

// The class named by the first line, when the text starts with an object description:
// "object" (any case) and up to two more words separated by single spaces; the class
// is the third word, or the second when there is no third. Empty otherwise.
QString firstClassName(const QString& text);

// The text split into its top-level objects (each starting with an unindented line
// that begins with "object"), as binary component streams. Raises EStreamError for
// an object whose text is not valid.
QList<QByteArray> objectStreams(const QByteArray& text);

} // namespace clipboardtext
