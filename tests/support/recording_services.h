#pragma once
// A WindowServices that keeps every call in order and models the window's surfaces, so a test can
// assert the exact lines, their targets and their order.
#include <functional>
#include <string>
#include <vector>

#include "app/window_services.h"

namespace kitvane::testing {

class RecordingServices : public WindowServices {
public:
    // One call: its target ("status", "log", "main", "waves", "message", ...) and its text.
    struct Call {
        std::string target;
        std::string text;
        bool operator==(const Call&) const = default;
    };

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
    int SelectedMainRow() const override { return selectedMainRow; }
    std::string MainRowText(int row) const override;
    int SelectedWavesRow() const override { return selectedWavesRow; }
    void SetProgressRange(int count) override;
    void SetProgressPosition(int position) override;
    void EnableControls(bool enabled) override;
    void PumpMessages() override;
    bool StopRequested() const override { return stopRequested; }
    void ClearStopRequest() override;
    void ShowMessage(const std::string& text) override;
    void ShowFileError(const std::string& description) override;
    void SetWaitCursor(bool shown) override;

    // Texts of the calls to one target, in order.
    std::vector<std::string> TextsOf(const std::string& target) const;

    std::vector<Call> calls;
    // The surfaces as the window would show them.
    std::vector<std::string> mainRows;
    std::vector<std::string> wavesRows;
    int mainTopRow = 0;
    std::string status;
    std::string outputInfo;
    std::string kitsCaption = "Kits";
    std::string instrumentsCaption = "Instruments";
    int progressRange = 100;
    int progressPosition = 0;
    bool controlsEnabled = true;
    bool stopRequested = false;
    int selectedMainRow = -1;
    int selectedWavesRow = -1;
    int pumpCount = 0;

    // Hooks a test may set: what a capture or a message drain does (type into a control, close the
    // window), and what a push does (normalise the members).
    std::function<void()> onCapture;
    std::function<void()> onPush;
    std::function<void(int pumpNumber)> onPump;

private:
    void Record(const std::string& target, const std::string& text = {});
};

}  // namespace kitvane::testing
