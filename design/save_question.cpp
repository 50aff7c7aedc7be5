#include "design/save_question.h"

#include "design/question_window.h"

namespace {

std::function<TSaveAnswer(const QString&)>& answerer()
{
    static std::function<TSaveAnswer(const QString&)> function;
    return function;
}

} // namespace

void setSaveQuestionAnswerer(std::function<TSaveAnswer(const QString& text)> function)
{
    answerer() = std::move(function);
}

TSaveAnswer askSaveQuestion(QWidget* parent, const QString& text)
{
    if (answerer())
        return answerer()(text);
    switch (askYesNoCancel(parent, text)) {
    case TYesNoCancel::Yes:
        return TSaveAnswer::Yes;
    case TYesNoCancel::No:
        return TSaveAnswer::No;
    case TYesNoCancel::Cancel:
        break;
    }
    return TSaveAnswer::Cancel;
}
