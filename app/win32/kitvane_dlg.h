#pragma once
// The main window as a native Windows dialog: made by the dialog manager from the control table, it
// owns the session, provides the window services on its controls and routes each message to the core.
#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/settings_profile.h"
#include "app/win32/window_seams.h"
#include "app/window_services.h"

namespace kitvane::win32 {

class CKitvaneDlg final : public WindowServices {
public:
    // Loads the options from profile, which must outlive the window; seams are the boxes, pickers and
    // browser the window uses.
    CKitvaneDlg(SettingsProfile& profile, WindowSeams seams);
    CKitvaneDlg(const CKitvaneDlg&) = delete;
    CKitvaneDlg& operator=(const CKitvaneDlg&) = delete;

    // Shows the window modally; returns IDOK (the Close button) or IDCANCEL (a close request, Escape).
    INT_PTR DoModal(HINSTANCE instance);

    // Window services.
    void CaptureControls() override;
    void PushMembers() override;
    void SetOutputInfo(const std::string& text) override;
    void SetViewCaptions(const std::string& kits, const std::string& instruments) override;
    void SetStatus(const std::string& text) override;
    void AppendLog(const std::string& text) override;
    void AddMainRow(const std::string& text) override;
    void ClearMainList() override;
    void ClearWavesList() override;
    void AddWavesRow(const std::string& text) override;
    int SelectedMainRow() const override;
    std::string MainRowText(int row) const override;
    int SelectedWavesRow() const override;
    void SetProgressRange(int count) override;
    void SetProgressPosition(int position) override;
    void EnableControls(bool enabled) override;
    void PumpMessages() override;
    bool StopRequested() const override { return stopRequested_; }
    void ClearStopRequest() override { stopRequested_ = false; }
    void ShowMessage(const std::string& text) override;
    void ShowFileError(const std::string& description) override;
    void SetWaitCursor(bool shown) override;

private:
    struct CheckBinding {
        int id;
        int* member;
        OptionCheckBox which;
    };
    struct ComboBinding {
        int id;
        int* member;
    };
    struct EditBinding {
        int id;
        std::string* member;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }

    void OnInitDialog();
    void FitCaptions();
    void BindMembers();
    void FillDropDowns();
    void AddAboutToSystemMenu();
    void SetIcons();
    void SetUpGuideLink();
    bool OnCommand(int id, int notification);
    bool OnCheckBoxClicked(int id);
    void OnDropFiles(HDROP drop);
    void OnPaintMinimised();
    void OnMainListSelection();
    void OnLibraryBrowse();
    void OnOutputBrowse();
    void OnProcessAll();
    void OnLoadWav();
    void OnLoadGroup();
    void OnRiffTest();
    void ShowAbout();
    std::optional<std::string> PickDeveloperFile(const std::wstring& description,
                                                 const std::wstring& pattern);

    SettingsProfile& profile_;
    WindowSeams seams_;
    Session session_;
    HWND window_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool stopRequested_ = false;
    bool running_ = false;
    int waitCursors_ = 0;
    std::vector<CheckBinding> checkBoxes_;
    std::vector<ComboBinding> dropDowns_;
    std::vector<EditBinding> edits_;
};

// The resources of the executable (kitvane.rc): the window icon and the banner.
inline constexpr WORD kIconResource = 128;
inline constexpr WORD kBannerResource = 132;

}  // namespace kitvane::win32
