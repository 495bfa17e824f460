#include "tests/win32/dialog_driver.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "app/dialog_template.h"
#include "app/win32/kitvane_app.h"
#include "app/win32/wide_text.h"

namespace kitvane::testing {
namespace {

constexpr auto kPatience = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

// A drop's handle as the shell makes it: a DROPFILES header, then the wide paths, each ended by a NUL,
// and one more NUL.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), names.data(),
                names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct WindowSearch {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if (::IsWindowVisible(window) && win32::WindowText(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

win32::WindowSeams AnsweringSeams::Seams() {
    win32::WindowSeams seams = win32::WindowSeams::Platform();
    if (!realMessageBoxes)
        seams.showMessage = [this](HWND, win32::MessageKind, const std::wstring& text) {
            messages.push_back(text);
        };
    if (!realFolderPicker)
        seams.pickFolder = [this](HWND) { return std::exchange(nextFolder, std::nullopt); };
    seams.pickFile = [](HWND, const std::wstring&, const std::wstring&, const std::wstring&) {
        return std::optional<std::wstring>();
    };
    seams.openInBrowser = [this](HWND, const std::wstring& address) { openedAddresses.push_back(address); };
    return seams;
}

INT_PTR DialogDriver::Run(AnsweringSeams& seams, const std::function<void(DialogDriver&)>& script) {
    DialogDriver driver(::GetCurrentThreadId());
    std::thread user([&driver, &script] {
        driver.window_ = driver.WaitForWindow(win32::Widen(kMainWindowTitle));
        if (driver.window_ == nullptr) {
            ADD_FAILURE() << "the window did not appear";
            ::PostThreadMessageW(driver.uiThread_, WM_QUIT, 0, 0);  // ends the dialog's loop, wherever it is
            return;
        }
        script(driver);
        if (::IsWindow(driver.window_))
            ::PostMessageW(driver.window_, WM_CLOSE, 0, 0);
    });
    const INT_PTR result = win32::CKitvaneApp::Run(::GetModuleHandleW(nullptr), seams.Seams());
    user.join();
    return result;
}

void DialogDriver::Drop(const std::vector<std::wstring>& paths) {
    ::SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

void DialogDriver::PostDrop(const std::vector<std::wstring>& paths) {
    ::PostMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

void DialogDriver::Click(int id) {
    EXPECT_TRUE(::IsWindowEnabled(Control(id))) << "clicked a disabled control " << id;
    ::SendMessageW(Control(id), BM_CLICK, 0, 0);
}

void DialogDriver::PostClick(int id) {
    ::PostMessageW(Control(id), BM_CLICK, 0, 0);
}

// A click on a row selects it, and the list tells the window.
void DialogDriver::SelectRow(int listId, int row) {
    ::SendMessageW(Control(listId), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Control(listId)));
}

void DialogDriver::TypeInto(int editId, const std::wstring& text) {
    ::SetWindowTextW(Control(editId), text.c_str());
}

std::vector<std::wstring> DialogDriver::Rows(int listId) const {
    std::vector<std::wstring> rows;
    HWND list = Control(listId);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        rows.push_back(text);
    }
    return rows;
}

std::wstring DialogDriver::TextOf(int id) const {
    return win32::WindowText(Control(id));
}

bool DialogDriver::IsChecked(int id) const {
    return ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int DialogDriver::Selection(int dropDownId) const {
    return static_cast<int>(::SendMessageW(Control(dropDownId), CB_GETCURSEL, 0, 0));
}

HWND DialogDriver::WaitForWindow(const std::wstring& title) const {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        WindowSearch search{title};
        ::EnumThreadWindows(uiThread_, MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        std::this_thread::sleep_for(kPollInterval);
    }
    return nullptr;
}

bool DialogDriver::WaitForText(HWND control, const std::wstring& text) const {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (win32::WindowText(control) == text)
            return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    return false;
}

std::wstring WindowTextOf(HWND window) {
    return win32::WindowText(window);
}

}  // namespace kitvane::testing
