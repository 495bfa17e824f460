#pragma once
// The places where the window waits for the user outside itself: message boxes, pickers and the
// browser. Each is a function the window calls; tests replace them to answer without a person.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace kitvane::win32 {

enum class MessageKind { Warning, FileError };

// The folder picker's title.
inline constexpr const wchar_t* kFolderPickerTitle = L"Select Folder";

struct WindowSeams {
    // Shows a box with one OK button and returns when it is closed.
    std::function<void(HWND owner, MessageKind kind, const std::wstring& text)> showMessage;
    // A folder picker: the last folder the user confirmed, nothing when cancelled.
    std::function<std::optional<std::wstring>(HWND owner)> pickFolder;
    // A file-open dialog for one existing file matching the filter (a pattern such as "*.wav"),
    // starting in initialFolder; nothing when cancelled.
    std::function<std::optional<std::wstring>(HWND owner, const std::wstring& initialFolder,
                                              const std::wstring& description, const std::wstring& pattern)>
        pickFile;
    // Opens a file or page in the user's browser.
    std::function<void(HWND owner, const std::wstring& address)> openInBrowser;

    // The real boxes, pickers and browser.
    static WindowSeams Platform();
};

}  // namespace kitvane::win32
