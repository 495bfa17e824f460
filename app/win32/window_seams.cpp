#include "app/win32/window_seams.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "app/win32/registry_profile.h"

namespace kitvane::win32 {
namespace {

void ShowMessageBox(HWND owner, MessageKind kind, const std::wstring& text) {
    const UINT icon = kind == MessageKind::FileError ? MB_ICONERROR : MB_ICONEXCLAMATION;
    ::MessageBoxW(owner, text.c_str(), ApplicationName().c_str(), MB_OK | icon);
}

template <typename Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released() {
        if (pointer != nullptr)
            pointer->Release();
    }
};

std::optional<std::wstring> FileSystemPathOf(IShellItem* item) {
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return std::nullopt;
    std::wstring result(path);
    ::CoTaskMemFree(path);
    return result;
}

// The system's folder picker; several folders may be chosen, and the last one counts.
std::optional<std::wstring> PickFolderWithFileDialog(HWND owner, bool& available) {
    Released<IFileOpenDialog> dialog;
    available = SUCCEEDED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(&dialog.pointer)));
    if (!available)
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.pointer->GetOptions(&options);
    dialog.pointer->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_ALLOWMULTISELECT);
    dialog.pointer->SetTitle(kFolderPickerTitle);
    if (FAILED(dialog.pointer->Show(owner)))
        return std::nullopt;
    Released<IShellItemArray> items;
    DWORD count = 0;
    if (FAILED(dialog.pointer->GetResults(&items.pointer)) || FAILED(items.pointer->GetCount(&count)) ||
        count == 0)
        return std::nullopt;
    Released<IShellItem> last;
    if (FAILED(items.pointer->GetItemAt(count - 1, &last.pointer)))
        return std::nullopt;
    return FileSystemPathOf(last.pointer);
}

// The older picker, where the file dialog's COM class is missing.
std::optional<std::wstring> PickFolderWithBrowser(HWND owner) {
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = kFolderPickerTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (chosen == nullptr)
        return std::nullopt;
    std::vector<wchar_t> path(32768, L'\0');
    const bool found =
        ::SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
    ::CoTaskMemFree(chosen);
    return found ? std::optional<std::wstring>(path.data()) : std::nullopt;
}

std::optional<std::wstring> PickFolder(HWND owner) {
    bool available = false;
    auto folder = PickFolderWithFileDialog(owner, available);
    return available ? folder : PickFolderWithBrowser(owner);
}

std::optional<std::wstring> PickFile(HWND owner, const std::wstring& initialFolder,
                                     const std::wstring& description, const std::wstring& pattern) {
    std::wstring filter = description + L'\0' + pattern + L'\0';
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = L"Load";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&dialog))
        return std::nullopt;
    return std::wstring(file.data());
}

void OpenInBrowser(HWND owner, const std::wstring& address) {
    ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

WindowSeams WindowSeams::Platform() {
    return {ShowMessageBox, PickFolder, PickFile, OpenInBrowser};
}

}  // namespace kitvane::win32
