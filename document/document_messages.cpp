#include "document/document_messages.h"

#include <QTextStream>

namespace docmessages {

namespace {

Handler& current()
{
    static Handler handler;
    return handler;
}

} // namespace

Handler setHandler(Handler handler)
{
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}

void show(const QString& text)
{
    if (current()) {
        current()(text);
        return;
    }
    QTextStream(stderr) << text << Qt::endl;
}

} // namespace docmessages
