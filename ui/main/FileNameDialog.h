#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zephlan {

enum class FileDialogMode { Open, Save };

struct FileDialogRequest
{
    FileDialogMode mode = FileDialogMode::Open;
    QString pipeFilter;   // "Airports(*.txt)|*.txt"
    QString proposedName;
    QString folder;       // empty: wherever the dialog starts by itself
};

// Asks for a file in the system's dialog on Windows and in Qt's elsewhere. An
// open takes only an existing file, a save only an existing folder and asks
// before replacing a file; a name without an extension gets .txt.
std::optional<QString> askFileName(QWidget *parent, const FileDialogRequest &request);

} // namespace zephlan
