#pragma once
// The main window: the library area, the options, the output area and the run's log. It owns the
// session, provides the window services on its controls, and routes each event to the core.
#include <QDialog>
#include <vector>

#include "app/session.h"
#include "app/settings_profile.h"
#include "app/window/window_seams.h"
#include "app/window_services.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kitvane {

class CKitvaneDlg : public QDialog, public WindowServices {
public:
    // Loads the options from profile, which must outlive the window; seams are the boxes, pickers and
    // browser the window uses.
    explicit CKitvaneDlg(SettingsProfile& profile, WindowSeams seams = WindowSeams::Platform(),
                         QWidget* parent = nullptr);
    ~CKitvaneDlg() override;

    const Session& CurrentSession() const { return session_; }
    // True from the start of a Process All to its end.
    bool RunInProgress() const { return running_; }

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    struct CheckBinding {
        QCheckBox* box;
        int* member;
        OptionCheckBox which;
    };
    struct ComboBinding {
        QComboBox* box;
        int* member;
    };
    struct EditBinding {
        QLineEdit* edit;
        std::string* member;
    };

    void CreateControls();
    void BindMembers();
    void ConnectEvents();
    void SetUpGuideLink();
    void AddAboutToSystemMenu();
    template <typename Widget>
    Widget* Control(int id) const;

    void OnMainListSelection();
    void OnWavesListSelection();
    void OnViewClicked();
    void OnLibraryBrowse();
    void OnOutputBrowse();
    void OnProcessAll();
    void OnCloseButton();
    void OnLoadWav();
    void OnLoadGroup();
    void OnRiffTest();
    void ShowAbout();
    // The file a developer command works on, picked from the folder the profile names; empty when
    // cancelled.
    QString PickDeveloperFile(const QString& filter);

    SettingsProfile& profile_;
    WindowSeams seams_;
    Session session_;
    bool stopRequested_ = false;
    bool running_ = false;

    QLineEdit* libraryPath_ = nullptr;
    QLineEdit* libraryName_ = nullptr;
    QLineEdit* outputFolder_ = nullptr;
    QLineEdit* status_ = nullptr;
    QListWidget* mainList_ = nullptr;
    QListWidget* wavesList_ = nullptr;
    QButtonGroup* views_ = nullptr;
    QLabel* outputInfo_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::vector<CheckBinding> checkBoxes_;
    std::vector<ComboBinding> dropDowns_;
    std::vector<EditBinding> edits_;
};

}  // namespace kitvane
