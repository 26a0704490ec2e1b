#include "ui/main/FileNameDialog.h"

#include "ui/main/FileDialogSeam.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <windows.h>

#include <shobjidl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zephlan {
namespace {

struct Release
{
    void operator()(IUnknown *object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, Release>;

// COM as the dialog needs it on this thread, for as long as the dialog runs.
class ComApartment
{
public:
    ComApartment()
        : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ~ComApartment()
    {
        if (m_initialised)
            CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool m_initialised;
};

void setFolder(IFileDialog *dialog, const QString &folder)
{
    IShellItem *item = nullptr;
    const std::wstring path = QDir::toNativeSeparators(folder).toStdWString();
    if (!folder.isEmpty()
        && SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem,
                                                 reinterpret_cast<void **>(&item)))) {
        dialog->SetFolder(item);
        item->Release();
    }
}

std::optional<QString> chosenPath(IFileDialog *dialog)
{
    IShellItem *item = nullptr;
    if (FAILED(dialog->GetResult(&item)))
        return std::nullopt;
    const ComPointer<IShellItem> result(item);
    PWSTR path = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return std::nullopt;
    const QString chosen = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    return chosen;
}

// Under Wine with a window manager, the dialog's own replace question left the
// main window without the keyboard once both had closed; asked after the dialog
// has gone, the question hands the activation straight back to its owner.
bool replaceConfirmed(HWND owner, const QString &path)
{
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(path).fileName());
    return MessageBoxW(owner, text.toStdWString().c_str(), L"Confirm Save As",
                       MB_YESNO | MB_ICONWARNING)
        == IDYES;
}

std::optional<QString> showDialog(HWND owner, const FileDialogRequest &request)
{
    const bool open = request.mode == FileDialogMode::Open;
    IFileDialog *created = nullptr;
    if (FAILED(CoCreateInstance(open ? CLSID_FileOpenDialog : CLSID_FileSaveDialog, nullptr,
                                CLSCTX_INPROC_SERVER, IID_IFileDialog,
                                reinterpret_cast<void **>(&created))))
        return std::nullopt;
    const ComPointer<IFileDialog> dialog(created);

    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options &= ~FILEOPENDIALOGOPTIONS(FOS_OVERWRITEPROMPT);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR | FOS_PATHMUSTEXIST
                       | (open ? FILEOPENDIALOGOPTIONS(FOS_FILEMUSTEXIST) : 0));
    // The texts outlive the dialog's pointers into them.
    std::vector<std::pair<std::wstring, std::wstring>> texts;
    for (const auto &[description, patterns] : filterPairs(request.pipeFilter))
        texts.emplace_back(description.toStdWString(), patterns.toStdWString());
    std::vector<COMDLG_FILTERSPEC> types;
    for (const auto &[description, patterns] : texts)
        types.push_back({description.c_str(), patterns.c_str()});
    dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
    dialog->SetDefaultExtension(L"txt");
    setFolder(dialog.get(), request.folder);
    dialog->SetFileName(request.proposedName.toStdWString().c_str());

    if (FAILED(dialog->Show(owner)))
        return std::nullopt;
    return chosenPath(dialog.get());
}

} // namespace

// The dialog is run here rather than through QFileDialog: Qt keeps a hidden
// modal window of its own while the system's dialog runs and hands the
// activation to it as the dialog closes, so under Wine with a window manager
// the main window was left without the keyboard. Run directly, the system
// gives the activation back to the owner, as it does for any program.
std::optional<QString> askFileName(QWidget *parent, const FileDialogRequest &request)
{
    const ComApartment apartment;
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    FileDialogRequest asked = request;
    for (;;) {
        const std::optional<QString> chosen = showDialog(owner, asked);
        if (!chosen || asked.mode == FileDialogMode::Open || !QFileInfo(*chosen).isFile()
            || replaceConfirmed(owner, *chosen))
            return chosen;
        // No keeps the choice open, as the system's own question does.
        asked.folder = QFileInfo(*chosen).absolutePath();
        asked.proposedName = QFileInfo(*chosen).fileName();
    }
}

} // namespace zephlan
