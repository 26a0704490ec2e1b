#pragma once

#include "FileDialogSeam.h"
#include "MessageSeam.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zephlan {

// Answers the file dialogs from a queue (nothing left means cancel) and records each question.
class ScriptedDialogs final : public FileDialogSeam
{
public:
    struct Question
    {
        bool save;
        QString filter;
        QString proposedName;
    };

    QList<std::optional<QString>> answers;
    QList<Question> questions;

    std::optional<QString> askOpenPath(QWidget *, const QString &filter, const QString &name) override
    {
        return answer({false, filter, name});
    }
    std::optional<QString> askSavePath(QWidget *, const QString &filter, const QString &name) override
    {
        return answer({true, filter, name});
    }

private:
    std::optional<QString> answer(const Question &question)
    {
        questions << question;
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

// Records every message as "prompt|title"; an optional hook runs while the box would be open.
class RecordingMessages final : public MessageSeam
{
public:
    QStringList shown;
    std::function<void()> whileShown;

    void showMessage(QWidget *, const QString &prompt, const QString &title) override
    {
        shown << prompt + QLatin1Char('|') + title;
        if (whileShown)
            whileShown();
    }
};

} // namespace zephlan
