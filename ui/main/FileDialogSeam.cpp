#include "ui/main/FileDialogSeam.h"

#include "ui/common/FocusReturn.h"

#include <QDir>
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

QStringList qtNameFilters(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (description.endsWith(bracketed) ? description
                                                    : description + QLatin1Char(' ') + bracketed);
    }
    return filters;
}

QtFileDialogSeam::QtFileDialogSeam(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dlgFile"));
}

std::optional<QString> QtFileDialogSeam::askOpenPath(QWidget *parent, const QString &filter,
                                                     const QString &proposedName)
{
    return ask(parent, QFileDialog::AcceptOpen, filter, proposedName);
}

std::optional<QString> QtFileDialogSeam::askSavePath(QWidget *parent, const QString &filter,
                                                     const QString &proposedName)
{
    return ask(parent, QFileDialog::AcceptSave, filter, proposedName);
}

std::optional<QString> QtFileDialogSeam::ask(QWidget *parent, QFileDialog::AcceptMode mode,
                                             const QString &filter, const QString &proposedName)
{
    const FocusReturn focusReturn(parent);
    ExistingFolderDialog dialog(parent);
    // Windows users expect the system's own dialog; it too asks before replacing
    // a file and takes only existing folders (and, to open, existing files).
#ifndef Q_OS_WIN
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setAcceptMode(mode);
    // An open dialog takes only files that exist, so a mistyped name cannot
    // use up a list command that runs once.
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(filter));
    // A name typed without an extension means the .txt the filter shows, to open as to save.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!m_lastFolder.isEmpty())
        dialog.setDirectory(m_lastFolder);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace zephlan
