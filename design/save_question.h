// The question a design window asks before a modified report is lost.
#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class TSaveAnswer { Yes, No, Cancel };

TSaveAnswer askSaveQuestion(QWidget* parent, const QString& text);

// Replaces the window by an answerer (tests); an empty function brings the window back.
void setSaveQuestionAnswerer(std::function<TSaveAnswer(const QString& text)> answerer);
