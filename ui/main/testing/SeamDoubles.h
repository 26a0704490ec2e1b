#pragma once

#include "ui/common/MessageSeam.h"
#include "ui/main/FileDialogSeam.h"

#include <QStringList>

#include <optional>

namespace zephlan {

// Answers the file dialogs from a queue (nothing left means cancel) and records each question
// as "open" or "save", the filter and the proposed name.
struct ScriptedDialogs final : FileDialogSeam
{
    QList<std::optional<QString>> answers;
    QStringList questions;

    std::optional<QString> askOpenPath(QWidget *, const QString &filter, const QString &name) override
    {
        return answer("open " + filter + ' ' + name);
    }
    std::optional<QString> askSavePath(QWidget *, const QString &filter, const QString &name) override
    {
        return answer("save " + filter + ' ' + name);
    }
    std::optional<QString> answer(const QString &question)
    {
        questions << question;
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

// Records every message as "prompt|title".
struct RecordingMessages final : MessageSeam
{
    QStringList shown;
    void showMessage(QWidget *, const QString &prompt, const QString &title) override { shown << prompt + '|' + title; }
};

} // namespace zephlan
