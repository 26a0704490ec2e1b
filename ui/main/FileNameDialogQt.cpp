#include "ui/main/FileNameDialog.h"

#include "ui/main/FileDialogSeam.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zephlan {
namespace {

// Qt's save dialog lets a name in a missing folder through; this one keeps
// the dialog open instead, as the save command asks for an existing folder.
class ExistingFolderDialog final : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && !files.isEmpty()) {
            const QFileInfo chosen(files.first());
            if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
                QMessageBox::warning(this, windowTitle(),
                                     tr("%1\nThe folder does not exist.")
                                         .arg(QDir::toNativeSeparators(chosen.absolutePath())));
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

std::optional<QString> askFileName(QWidget *parent, const FileDialogRequest &request)
{
    const bool open = request.mode == FileDialogMode::Open;
    ExistingFolderDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // An open dialog takes only files that exist, so a mistyped name cannot
    // use up a list command that runs once.
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(request.pipeFilter));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace zephlan
