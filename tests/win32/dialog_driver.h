#pragma once
// Drives the native window as a user would, through the messages its controls send and receive: the
// window runs modally on the test's thread, exactly as kitvane.exe runs it, while a script acts on it
// from a second thread.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/window_seams.h"

namespace kitvane::testing {

// Seams that answer without a person and remember what they were asked.
struct AnsweringSeams {
    std::vector<std::wstring> messages;
    std::optional<std::wstring> nextFolder;  // the next folder picker confirms this; nothing cancels
    std::vector<std::wstring> openedAddresses;
    bool realMessageBoxes = false;  // show the system's message boxes instead of recording them
    bool realFolderPicker = false;  // show the system's folder picker instead of answering nextFolder

    win32::WindowSeams Seams();
};

class DialogDriver {
public:
    // Runs the window until it closes; script acts on it meanwhile, and the window is closed if the
    // script leaves it open. Returns how the window was closed (IDOK or IDCANCEL).
    static INT_PTR Run(AnsweringSeams& seams, const std::function<void(DialogDriver&)>& script);

    HWND Window() const { return window_; }
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }

    // Acting as the user.
    void Drop(const std::vector<std::wstring>& paths);
    void PostDrop(const std::vector<std::wstring>& paths);  // handled when the window next takes messages
    void Click(int id);
    void PostClick(int id);
    void SelectRow(int listId, int row);
    void TypeInto(int editId, const std::wstring& text);

    // What the window shows.
    std::vector<std::wstring> Rows(int listId) const;
    std::wstring TextOf(int id) const;
    bool IsChecked(int id) const;
    int Selection(int dropDownId) const;

    // A window the window's thread shows (a message box, the About box), once it is there.
    HWND WaitForWindow(const std::wstring& title) const;
    // Waits until a control of the window (or of another window of its thread) shows text; false after
    // some seconds.
    bool WaitForText(int id, const std::wstring& text) const { return WaitForText(Control(id), text); }
    bool WaitForText(HWND control, const std::wstring& text) const;

private:
    explicit DialogDriver(DWORD uiThread) : uiThread_(uiThread) {}

    DWORD uiThread_;
    HWND window_ = nullptr;
};

// The text of a window that a script found, such as a message box's static text.
std::wstring WindowTextOf(HWND window);

}  // namespace kitvane::testing
