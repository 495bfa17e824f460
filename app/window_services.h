#pragma once
// What long work may do to the window: report, show progress, let the window breathe, learn that it
// is being closed. The window, the console and the tests' recorder each provide these on their own
// surfaces; the core reaches the user through nothing else.
#include <string>

namespace kitvane {

class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Controls and the members bound to them.
    virtual void CaptureControls() = 0;  // every control's value into its member
    virtual void PushMembers() = 0;      // every member's value into its control
    virtual void SetOutputInfo(const std::string& text) = 0;
    virtual void SetViewCaptions(const std::string& kits, const std::string& instruments) = 0;

    // The status line, the main list (the library list, or a run's log) and the waves list.
    virtual void SetStatus(const std::string& text) = 0;
    virtual void AppendLog(const std::string& text) = 0;   // add a row and scroll it into view
    virtual void AddMainRow(const std::string& text) = 0;  // add a row, the top row unchanged
    virtual void ClearMainList() = 0;
    virtual void ClearWavesList() = 0;
    virtual void AddWavesRow(const std::string& text) = 0;

    // Selections, for the inspection views: -1 when no row is selected.
    virtual int SelectedMainRow() const = 0;
    virtual std::string MainRowText(int row) const = 0;
    virtual int SelectedWavesRow() const = 0;

    // The progress bar: range 0..count, then a position.
    virtual void SetProgressRange(int count) = 0;
    virtual void SetProgressPosition(int position) = 0;

    // A run: the input controls off and on, the pending events handled without waiting, and the stop
    // flag that only a close request raises.
    virtual void EnableControls(bool enabled) = 0;
    virtual void PumpMessages() = 0;
    virtual bool StopRequested() const = 0;
    virtual void ClearStopRequest() = 0;

    // Messages: a box with one OK button, and the platform's box for a file error.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowFileError(const std::string& description) = 0;
    virtual void SetWaitCursor(bool shown) = 0;

    // A diagnostic line, such as the WAV reader's trace: never part of a run's log, shown only by a front
    // end that was asked for it. Dropped unless a front end overrides this.
    virtual void Trace(const std::string&) {}
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(WindowServices& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { ui_.SetWaitCursor(false); }

private:
    WindowServices& ui_;
};

}  // namespace kitvane
