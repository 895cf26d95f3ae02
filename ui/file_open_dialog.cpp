#include "ui/file_open_dialog.h"

#include <shobjidl.h>

#include <algorithm>

#include "app/whole_path.h"
#include "ui/com_ptr.h"
#include "ui/text_win.h"
#include "ui/win32_error.h"

namespace {

// A text the shell allocated, freed with CoTaskMemFree.
class ShellText {
public:
    ShellText() = default;
    ~ShellText() { CoTaskMemFree(text); }
    ShellText(const ShellText&) = delete;
    ShellText& operator=(const ShellText&) = delete;
    wchar_t** Put() { return &text; }
    const wchar_t* get() const { return text; }

private:
    wchar_t* text = nullptr;
};

std::u16string FileSystemPath(IShellItem* item)
{
    ShellText path;
    ThrowIfFailed(item->GetDisplayName(SIGDN_FILESYSPATH, path.Put()), "IShellItem::GetDisplayName");
    return FromWide(path.get());
}

} // namespace

std::vector<std::u16string> ChooseFilesToRename(HWND owner)
{
    ComPtr<IFileOpenDialog> dialog;
    ThrowIfFailed(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.Put())),
                  "CoCreateInstance");
    FILEOPENDIALOGOPTIONS options = 0;
    ThrowIfFailed(dialog->GetOptions(&options), "IFileOpenDialog::GetOptions");
    // A shortcut is renamed as itself, as when it is dropped, never its target
    // in another folder; and nothing is added to the user's recent documents.
    ThrowIfFailed(dialog->SetOptions(options | FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST |
                                     FOS_FORCEFILESYSTEM | FOS_NODEREFERENCELINKS | FOS_DONTADDTORECENT),
                  "IFileOpenDialog::SetOptions");
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return {};
    ThrowIfFailed(shown, "IFileOpenDialog::Show");
    ComPtr<IShellItemArray> items;
    ThrowIfFailed(dialog->GetResults(items.Put()), "IFileOpenDialog::GetResults");
    DWORD count = 0;
    ThrowIfFailed(items->GetCount(&count), "IShellItemArray::GetCount");
    std::vector<std::u16string> paths;
    paths.reserve(count);
    for (DWORD index = 0; index < count; ++index) {
        ComPtr<IShellItem> item;
        ThrowIfFailed(items->GetItemAt(index, item.Put()), "IShellItemArray::GetItemAt");
        paths.push_back(FileSystemPath(item.get()));
    }
    // The dialog gives whole paths; they are still read by the rule every
    // other input is read by, and taken whole or not at all.
    if (!std::ranges::all_of(paths, IsWholePath))
        return {};
    return paths;
}
