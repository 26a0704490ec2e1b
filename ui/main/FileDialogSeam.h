#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QWidget;

namespace zephlan {

struct FileDialogRequest;

// The window's one file-dialog component: each use gives its filter in the
// "Description(*.txt)|*.txt" form and the proposed file name.
class FileDialogSeam
{
public:
    virtual ~FileDialogSeam() = default;
    virtual std::optional<QString> askOpenPath(QWidget *parent, const QString &filter,
                                               const QString &proposedName) = 0;
    // Asks before replacing an existing file; the chosen folder must exist.
    virtual std::optional<QString> askSavePath(QWidget *parent, const QString &filter,
                                               const QString &proposedName) = 0;
};

// "Airports(*.txt)|*.txt" as its (description, patterns) pairs.
QList<std::pair<QString, QString>> filterPairs(const QString &pipeFilter);

// "Airports(*.txt)|*.txt" becomes the one Qt filter "Airports(*.txt)"; a
// description without its patterns in brackets gets them appended.
QStringList qtNameFilters(const QString &pipeFilter);

// The system's own file dialog on Windows, Qt's own elsewhere. Each dialog
// opens in the folder of the file last chosen in any of them.
class QtFileDialogSeam final : public FileDialogSeam
{
public:
    std::optional<QString> askOpenPath(QWidget *parent, const QString &filter,
                                       const QString &proposedName) override;
    std::optional<QString> askSavePath(QWidget *parent, const QString &filter,
                                       const QString &proposedName) override;

private:
    std::optional<QString> ask(QWidget *parent, const FileDialogRequest &request);

    QString m_lastFolder;
};

} // namespace zephlan
