#pragma once
// The window services on a terminal: the main list and the waves list are kept in memory; a run's log
// rows go to standard output, message boxes to standard error, and with verbose the status line too.
#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/window_services.h"

namespace kitvane::cli {

class ConsoleServices : public WindowServices {
public:
    ConsoleServices(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // While echoing, every row added to the main list is printed to standard output.
    void SetEchoMainRows(bool echo) { echoMainRows_ = echo; }
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    // While tracing, diagnostic lines (the WAV reader's trace) go to standard output.
    void SetTrace(bool trace) { trace_ = trace; }
    // Draws a progress line on standard error as the bar moves (only for a terminal).
    void SetShowProgress(bool show) { showProgress_ = show; }
    // The interrupt that counts as the close request; set from a signal handler.
    void SetInterruptFlag(const std::atomic<bool>* interrupted) { interrupted_ = interrupted; }
    void SelectMainRow(int row) { selectedMainRow_ = row; }
    void SelectWavesRow(int row) { selectedWavesRow_ = row; }

    const std::vector<std::string>& MainRows() const { return mainRows_; }
    const std::vector<std::string>& WavesRows() const { return wavesRows_; }
    const std::string& Status() const { return status_; }
    const std::string& KitsCaption() const { return kitsCaption_; }
    const std::string& InstrumentsCaption() const { return instrumentsCaption_; }
    // The progress line is cleared before anything else is printed and at the end.
    void FinishProgress();

    void CaptureControls() override {}
    void PushMembers() override {}
    void SetOutputInfo(const std::string&) override {}
    void SetViewCaptions(const std::string& kits, const std::string& instruments) override;
    void SetStatus(const std::string& text) override;
    void AppendLog(const std::string& text) override { AddMainRow(text); }
    void AddMainRow(const std::string& text) override;
    void ClearMainList() override { mainRows_.clear(); }
    void ClearWavesList() override { wavesRows_.clear(); }
    void AddWavesRow(const std::string& text) override { wavesRows_.push_back(text); }
    int SelectedMainRow() const override { return selectedMainRow_; }
    std::string MainRowText(int row) const override;
    int SelectedWavesRow() const override { return selectedWavesRow_; }
    void SetProgressRange(int count) override;
    void SetProgressPosition(int position) override;
    void EnableControls(bool) override {}
    void PumpMessages() override {}
    bool StopRequested() const override;
    void ClearStopRequest() override {}
    void ShowMessage(const std::string& text) override;
    void ShowFileError(const std::string& description) override;
    void SetWaitCursor(bool) override {}
    void Trace(const std::string& line) override;

private:
    void DrawProgress();

    std::ostream& out_;
    std::ostream& err_;
    bool echoMainRows_ = false;
    bool verbose_ = false;
    bool trace_ = false;
    bool showProgress_ = false;
    bool progressShown_ = false;
    const std::atomic<bool>* interrupted_ = nullptr;
    std::vector<std::string> mainRows_;
    std::vector<std::string> wavesRows_;
    std::string status_;
    std::string kitsCaption_ = "Kits";
    std::string instrumentsCaption_ = "Instruments";
    int selectedMainRow_ = -1;
    int selectedWavesRow_ = -1;
    int progressRange_ = 100;
    int progressPosition_ = 0;
};

}  // namespace kitvane::cli
