#include "design/save_question.h"

#include "core/strings/ui_strings.h"

#include <QMessageBox>

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
    const auto button = QMessageBox::question(parent, LoadUiString(33284), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (button == QMessageBox::Yes)
        return TSaveAnswer::Yes;
    return button == QMessageBox::No ? TSaveAnswer::No : TSaveAnswer::Cancel;
}
