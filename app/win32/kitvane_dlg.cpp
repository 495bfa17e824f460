#include "app/win32/kitvane_dlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <span>

// windows.h names LoadLibraryW LoadLibrary; here the name is the core's, which loads a sample library.
#undef LoadLibrary

#include "app/conversion_options.h"
#include "app/dialog_template.h"
#include "app/version.h"
#include "app/win32/about_dlg.h"
#include "app/win32/head_static.h"
#include "app/win32/main_template.h"
#include "app/win32/wide_text.h"
#include "batch/process_all.h"
#include "groups/group_reader.h"
#include "library/enumeration.h"
#include "library/library_loader.h"
#include "naming/selection_views.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "riff/riff_editor.h"
#include "riff/wave_parser.h"

namespace kitvane::win32 {
namespace {

// A text the user typed or a path the system reports, as path text.
std::string PathTextOf(const std::wstring& text) {
    return platform::FromNativePath(Narrow(text));
}

int CheckBoxValueOf(HWND box) {
    switch (::SendMessageW(box, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return 1;
        case BST_INDETERMINATE:
            return 2;
        default:
            return 0;
    }
}

int SelectedRowOf(HWND list) {
    const LRESULT row = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void AddListRow(HWND list, const std::string& text) {
    const std::wstring row = Widen(platform::ForDisplay(text));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

void SetText(HWND control, const std::string& text) {
    ::SetWindowTextW(control, Widen(platform::ForDisplay(text)).c_str());
}

// The guide beside the executable.
std::wstring GuideAddress() {
    return Widen(platform::ToNativePath(platform::ExecutableFolder() + "\\" + kGuideFile));
}

HICON LoadIconOfSize(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                           ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), 0));
}

}  // namespace

CKitvaneDlg::CKitvaneDlg(SettingsProfile& profile, WindowSeams seams)
    : profile_(profile), seams_(std::move(seams)) {
    session_.TemplateFolder = platform::ExecutableFolder();
}

INT_PTR CKitvaneDlg::DoModal(HINSTANCE instance) {
    const DialogBuilder dialogTemplate = MainWindowTemplate();
    const INT_PTR result = ::DialogBoxIndirectParamW(instance, dialogTemplate.Template(), nullptr, DialogProc,
                                                     reinterpret_cast<LPARAM>(this));
    if (bigIcon_ != nullptr)
        ::DestroyIcon(bigIcon_);
    if (smallIcon_ != nullptr)
        ::DestroyIcon(smallIcon_);
    bigIcon_ = smallIcon_ = nullptr;
    window_ = nullptr;
    return result;
}

INT_PTR CALLBACK CKitvaneDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CKitvaneDlg*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window_ = window;
    }
    auto* dialog = reinterpret_cast<CKitvaneDlg*>(::GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CKitvaneDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;  // the focus goes to the first control
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == static_cast<UINT_PTR>(control::kGuideLink) &&
                (header->code == NM_CLICK || header->code == NM_RETURN)) {
                seams_.openInBrowser(window_, GuideAddress());
                return TRUE;
            }
            return FALSE;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kAboutCommand) {
                ShowAbout();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            // A close request is the one way to stop a run: the run sees the flag at its next test. The
            // dialog manager then ends the dialog as Cancel.
            stopRequested_ = true;
            return FALSE;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_PAINT:
            if (::IsIconic(window_)) {
                OnPaintMinimised();
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(smallIcon_);
        case WM_SETCURSOR:
            if (waitCursors_ > 0) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
                ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void CKitvaneDlg::OnInitDialog() {
    FitCaptions();
    stopRequested_ = false;
    LoadPersistedOptions(session_, profile_);
    session_.library.GroupSubfolder = "\\Groups\\";
    BindMembers();
    for (int id : {control::kLibraryHeading, control::kOptionsHeading, control::kOutputHeading})
        CHeadStatic::Attach(Control(id));
    FillDropDowns();
    PushMembers();
    ::DragAcceptFiles(window_, TRUE);
    ::SetDlgItemTextW(window_, control::kVersion, L"Version " KITVANE_VERSION);
    AddAboutToSystemMenu();
    SetIcons();
    SetUpGuideLink();
    session_.ListShowsLog = false;
    UpdateOutputInfo(session_.library, *this);
}

namespace {

bool HasFixedCaption(ControlKind kind) {
    return kind == ControlKind::Text || kind == ControlKind::CheckBox || kind == ControlKind::FirstRadio ||
           kind == ControlKind::Radio;
}

int ToPixelsX(int units, int baseX) {
    return ::MulDiv(units, baseX, 4);
}

}  // namespace

// Widens the layout where a fixed caption would not fit its rectangle in the font the system gave the
// dialog (Wine's stand-in for the dialog font runs wider than the original). The controls keep their
// proportions; with the platform's own dialog font nothing moves.
void CKitvaneDlg::FitCaptions() {
    RECT quarter{0, 0, 4, 8};
    ::MapDialogRect(window_, &quarter);
    const int baseX = quarter.right;
    HDC dc = ::GetDC(window_);
    HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(window_, WM_GETFONT, 0, 0)));
    // A check box or radio button draws its box and a gap before the caption.
    const int boxWidth = ::GetSystemMetrics(SM_CXMENUCHECK) + 2 * ::GetSystemMetrics(SM_CXEDGE) + 2;
    int fittingBaseX = baseX;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (!HasFixedCaption(spec.kind))
            continue;
        const std::wstring caption = Widen(spec.caption);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        const int needed = extent.cx + (spec.kind == ControlKind::Text ? 0 : boxWidth);
        const DialogRect& rect = spec.dialogUnits;
        while (ToPixelsX(rect.left + rect.width, fittingBaseX) - ToPixelsX(rect.left, fittingBaseX) < needed)
            ++fittingBaseX;
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(window_, dc);
    if (fittingBaseX == baseX)
        return;

    // The controls are the dialog's children in the table's order.
    const auto specs = MainWindowControls();
    HWND child = ::GetWindow(window_, GW_CHILD);
    for (std::size_t i = 0; i < specs.size() && child != nullptr;
         ++i, child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        const DialogRect& units = specs[i].dialogUnits;
        const int left = ToPixelsX(units.left, fittingBaseX);
        // The banner shows its picture at the picture's own size.
        const int width = specs[i].kind == ControlKind::Banner
                              ? rect.right - rect.left
                              : ToPixelsX(units.left + units.width, fittingBaseX) - left;
        ::SetWindowPos(child, nullptr, left, rect.top, width, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame{0, 0, ToPixelsX(kMainWindowWidth, fittingBaseX), 0};
    RECT client;
    ::GetClientRect(window_, &client);
    frame.bottom = client.bottom;
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKitvaneDlg::BindMembers() {
    LibraryModel& library = session_.library;
    ConversionOptions& options = session_.options;
    edits_ = {{control::kLibraryPath, &library.LibraryPath},
              {control::kLibraryName, &library.LibraryName},
              {control::kOutputFolder, &library.OutputFolder}};
    checkBoxes_ = {
        {control::kBuildKit, &options.BuildKit, OptionCheckBox::BuildKit},
        {control::kCreateKeygroups, &options.CreateKeygroups, OptionCheckBox::CreateKeygroups},
        {control::kKitFolder, &options.KitFolder, OptionCheckBox::KitFolder},
        {control::kCopyLoops, &options.CopyLoops, OptionCheckBox::CopyLoops},
        {control::kAddBpm, &options.AddBPM, OptionCheckBox::AddBPM},
        {control::kAddLibrarySubfolder, &library.AddLibrarySubfolder, OptionCheckBox::AddLibrarySubfolder},
    };
    dropDowns_ = {{control::kKitVolume, &options.KitVolume},
                  {control::kKeygroupVolume, &options.KeygroupVolume},
                  {control::kNoteRelease, &options.NoteRelease}};
}

void CKitvaneDlg::FillDropDowns() {
    const auto fill = [this](int id, std::span<const char* const> items) {
        for (const char* item : items)
            ::SendDlgItemMessageW(window_, id, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(Widen(item).c_str()));
    };
    fill(control::kKitVolume, kVolumeItems);
    fill(control::kKeygroupVolume, kVolumeItems);
    fill(control::kNoteRelease, kReleaseItems);
}

void CKitvaneDlg::AddAboutToSystemMenu() {
    HMENU menu = ::GetSystemMenu(window_, FALSE);
    if (menu == nullptr)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kAboutCommand, Widen(kAboutItem).c_str());
}

void CKitvaneDlg::SetIcons() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    bigIcon_ = LoadIconOfSize(instance, SM_CXICON, SM_CYICON);
    smallIcon_ = LoadIconOfSize(instance, SM_CXSMICON, SM_CYSMICON);
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

// The link opens the guide beside the executable; its tooltip shows where that is.
void CKitvaneDlg::SetUpGuideLink() {
    HWND link = Control(control::kGuideLink);
    HWND tooltip =
        ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr, nullptr);
    std::wstring address = GuideAddress();
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(link);
    tool.lpszText = address.data();
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    SIZE ideal{};
    RECT rect;
    ::GetWindowRect(link, &rect);
    const int width = rect.right - rect.left;
    // LM_GETIDEALHEIGHT with a size to fill is the SDK's LM_GETIDEALSIZE, which mingw-w64 doesn't name.
    if (::SendMessageW(link, LM_GETIDEALHEIGHT, static_cast<WPARAM>(width * 2),
                       reinterpret_cast<LPARAM>(&ideal)) > 0 &&
        ideal.cx > 0)
        ::SetWindowPos(link, nullptr, 0, 0, ideal.cx, rect.bottom - rect.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Window services.

void CKitvaneDlg::CaptureControls() {
    for (const EditBinding& binding : edits_)
        *binding.member = PathTextOf(WindowText(Control(binding.id)));
    for (const CheckBinding& binding : checkBoxes_)
        *binding.member = CheckBoxValueOf(Control(binding.id));
    for (const ComboBinding& binding : dropDowns_)
        *binding.member = static_cast<int>(::SendDlgItemMessageW(window_, binding.id, CB_GETCURSEL, 0, 0));
    const bool kits = ::IsDlgButtonChecked(window_, control::kShowKits) == BST_CHECKED;
    const bool instruments = ::IsDlgButtonChecked(window_, control::kShowInstruments) == BST_CHECKED;
    session_.library.ShowInstruments = kits ? 0 : instruments ? 1 : -1;
}

void CKitvaneDlg::PushMembers() {
    for (const EditBinding& binding : edits_)
        SetText(Control(binding.id), *binding.member);
    for (const CheckBinding& binding : checkBoxes_) {
        *binding.member = CheckBoxValue(*binding.member);
        // Only a stored 2 shows the third state; clicks toggle between on and off.
        const DWORD style = *binding.member == 2 ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
        ::SendMessageW(Control(binding.id), BM_SETSTYLE, style, TRUE);
        ::CheckDlgButton(window_, binding.id, static_cast<UINT>(*binding.member));
    }
    for (const ComboBinding& binding : dropDowns_)
        ::SendDlgItemMessageW(window_, binding.id, CB_SETCURSEL, static_cast<WPARAM>(*binding.member), 0);
    // A view value that names neither button leaves both clear.
    const int view = session_.library.ShowInstruments;
    ::CheckDlgButton(window_, control::kShowKits, view == 0 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(window_, control::kShowInstruments, view == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CKitvaneDlg::SetOutputInfo(const std::string& text) {
    SetText(Control(control::kOutputInfo), text);
}

void CKitvaneDlg::SetViewCaptions(const std::string& kits, const std::string& instruments) {
    SetText(Control(control::kShowKits), kits);
    SetText(Control(control::kShowInstruments), instruments);
}

void CKitvaneDlg::SetStatus(const std::string& text) {
    SetText(Control(control::kStatus), text);
}

void CKitvaneDlg::AppendLog(const std::string& text) {
    AddMainRow(text);
    HWND list = Control(control::kMainList);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

void CKitvaneDlg::AddMainRow(const std::string& text) {
    AddListRow(Control(control::kMainList), text);
}

void CKitvaneDlg::ClearMainList() {
    ::SendDlgItemMessageW(window_, control::kMainList, LB_RESETCONTENT, 0, 0);
}

void CKitvaneDlg::ClearWavesList() {
    ::SendDlgItemMessageW(window_, control::kWavesList, LB_RESETCONTENT, 0, 0);
}

void CKitvaneDlg::AddWavesRow(const std::string& text) {
    AddListRow(Control(control::kWavesList), text);
}

int CKitvaneDlg::SelectedMainRow() const {
    return SelectedRowOf(Control(control::kMainList));
}

int CKitvaneDlg::SelectedWavesRow() const {
    return SelectedRowOf(Control(control::kWavesList));
}

std::string CKitvaneDlg::MainRowText(int row) const {
    HWND list = Control(control::kMainList);
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    // Rows show path text unchanged on Windows, so the row's text is the core's own.
    return Narrow(text);
}

void CKitvaneDlg::SetProgressRange(int count) {
    // The whole range, beyond 65535 too; an empty library shows an empty bar.
    ::SendDlgItemMessageW(window_, control::kProgress, PBM_SETRANGE32, 0, count > 0 ? count : 1);
}

void CKitvaneDlg::SetProgressPosition(int position) {
    ::SendDlgItemMessageW(window_, control::kProgress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CKitvaneDlg::EnableControls(bool enabled) {
    for (int id : kRunLockedControls)
        ::EnableWindow(Control(id), enabled);
}

void CKitvaneDlg::PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The application is ending: leave the request for the loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (window_ != nullptr && ::IsDialogMessageW(window_, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void CKitvaneDlg::ShowMessage(const std::string& text) {
    seams_.showMessage(window_, MessageKind::Warning, Widen(text));
}

void CKitvaneDlg::ShowFileError(const std::string& description) {
    seams_.showMessage(window_, MessageKind::FileError, Widen(description));
}

void CKitvaneDlg::SetWaitCursor(bool shown) {
    waitCursors_ += shown ? 1 : -1;
    ::SetCursor(::LoadCursorW(nullptr, waitCursors_ > 0 ? IDC_WAIT : IDC_ARROW));
}

// Events.

bool CKitvaneDlg::OnCommand(int id, int notification) {
    if (id == control::kMainList && notification == LBN_SELCHANGE) {
        OnMainListSelection();
        return true;
    }
    if (id == control::kWavesList && notification == LBN_SELCHANGE) {
        OnWaveSelected(session_, *this);
        return true;
    }
    if (notification != BN_CLICKED)
        return false;
    switch (id) {
        case IDOK:  // the Close button; Enter presses it while it is enabled
            if (::IsWindowEnabled(Control(control::kClose))) {
                CaptureControls();
                ::EndDialog(window_, IDOK);
            }
            return true;
        case IDCANCEL:  // a close request or Escape
            ::EndDialog(window_, IDCANCEL);
            return true;
        case control::kShowKits:
        case control::kShowInstruments:
            CaptureControls();
            FillLibraryList(session_, *this);
            return true;
        case control::kLibraryBrowse:
            OnLibraryBrowse();
            return true;
        case control::kOutputBrowse:
            OnOutputBrowse();
            return true;
        case control::kProcessAll:
            OnProcessAll();
            return true;
        case control::kLoadWav:
            OnLoadWav();
            return true;
        case control::kLoadGroup:
            OnLoadGroup();
            return true;
        case control::kRiffTest:
            OnRiffTest();
            return true;
        case control::kHelp:
            return true;  // the Help button's command does nothing
        default:
            return OnCheckBoxClicked(id);
    }
}

bool CKitvaneDlg::OnCheckBoxClicked(int id) {
    for (const CheckBinding& binding : checkBoxes_) {
        if (binding.id != id)
            continue;
        // A click leaves the third state for good.
        ::SendMessageW(Control(id), BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
        OnOptionCheckBoxClicked(session_, profile_, *this, binding.which);
        return true;
    }
    return false;
}

void CKitvaneDlg::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(PathTextOf(path));
    }
    ::DragFinish(drop);
    if (paths.empty())
        return;
    // A run walks the library's lists; loading another library now would pull them from under it.
    if (running_) {
        SetStatus(kDropDuringRun);
        return;
    }
    CaptureControls();
    for (const std::string& path : paths)
        LoadLibrary(session_, *this, path);
}

void CKitvaneDlg::OnPaintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    const int left = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int top = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, left, top, bigIcon_);
    ::EndPaint(window_, &paint);
}

void CKitvaneDlg::OnMainListSelection() {
    // After a run the list holds its log: the first selection brings the library list back.
    if (session_.ListShowsLog) {
        FillLibraryList(session_, *this);
        return;
    }
    OnGroupSelected(session_, *this);
}

void CKitvaneDlg::OnLibraryBrowse() {
    CaptureControls();
    if (const auto folder = seams_.pickFolder(window_))
        LoadLibrary(session_, *this, PathTextOf(*folder));
}

void CKitvaneDlg::OnOutputBrowse() {
    std::optional<std::string> picked;
    if (const auto folder = seams_.pickFolder(window_))
        picked = PathTextOf(*folder);
    OnOutputFolderBrowsed(session_, profile_, *this, picked);
}

void CKitvaneDlg::OnProcessAll() {
    running_ = true;
    ProcessAll(session_, *this);
    running_ = false;
}

std::optional<std::string> CKitvaneDlg::PickDeveloperFile(const std::wstring& description,
                                                          const std::wstring& pattern) {
    const std::wstring initialFolder =
        Widen(platform::ToNativePath(profile_.GetString("Document", "Path", "")));
    const auto file = seams_.pickFile(window_, initialFolder, description, pattern);
    return file ? std::optional<std::string>(PathTextOf(*file)) : std::nullopt;
}

void CKitvaneDlg::OnLoadWav() {
    if (const auto file = PickDeveloperFile(L"Wav File (*.wav)", L"*.wav")) {
        CWaveParser parser;
        parser.Parse(*file);
    }
}

void CKitvaneDlg::OnLoadGroup() {
    if (const auto file = PickDeveloperFile(L"mxgrp File (*.mxgrp)", L"*.mxgrp")) {
        PadTable table;
        ReadGroupFile(*file, session_.library.LibraryPath, table);
    }
}

void CKitvaneDlg::OnRiffTest() {
    if (const auto file = PickDeveloperFile(L"Wav File (*.wav)", L"*.wav"))
        WriteWithTempo(*file, *file + "_out.wav", 20);
}

void CKitvaneDlg::ShowAbout() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    CAboutDlg::DoModal(instance, window_);
}

}  // namespace kitvane::win32
