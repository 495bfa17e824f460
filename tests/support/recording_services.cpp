#include "tests/support/recording_services.h"

namespace kitvane::testing {

void RecordingServices::Record(const std::string& target, const std::string& text) {
    calls.push_back({target, text});
}

void RecordingServices::CaptureControls() {
    Record("capture");
    if (onCapture)
        onCapture();
}

void RecordingServices::PushMembers() {
    Record("push");
    if (onPush)
        onPush();
}

void RecordingServices::SetOutputInfo(const std::string& text) {
    Record("outputInfo", text);
    outputInfo = text;
}

void RecordingServices::SetViewCaptions(const std::string& kits, const std::string& instruments) {
    Record("captions", kits + "|" + instruments);
    kitsCaption = kits;
    instrumentsCaption = instruments;
}

void RecordingServices::SetStatus(const std::string& text) {
    Record("status", text);
    status = text;
}

void RecordingServices::AppendLog(const std::string& text) {
    Record("log", text);
    mainRows.push_back(text);
    mainTopRow = static_cast<int>(mainRows.size()) - 1;
}

void RecordingServices::AddMainRow(const std::string& text) {
    Record("main", text);
    mainRows.push_back(text);
}

void RecordingServices::ClearMainList() {
    Record("clearMain");
    mainRows.clear();
    mainTopRow = 0;
}

void RecordingServices::ClearWavesList() {
    Record("clearWaves");
    wavesRows.clear();
}

void RecordingServices::AddWavesRow(const std::string& text) {
    Record("waves", text);
    wavesRows.push_back(text);
}

std::string RecordingServices::MainRowText(int row) const {
    return row >= 0 && row < static_cast<int>(mainRows.size()) ? mainRows[static_cast<std::size_t>(row)] : "";
}

void RecordingServices::SetProgressRange(int count) {
    Record("progressRange", std::to_string(count));
    progressRange = count;
}

void RecordingServices::SetProgressPosition(int position) {
    Record("progressPosition", std::to_string(position));
    progressPosition = position;
}

void RecordingServices::EnableControls(bool enabled) {
    Record("enable", enabled ? "on" : "off");
    controlsEnabled = enabled;
}

void RecordingServices::PumpMessages() {
    Record("pump");
    ++pumpCount;
    if (onPump)
        onPump(pumpCount);
}

void RecordingServices::ClearStopRequest() {
    Record("clearStop");
    stopRequested = false;
}

void RecordingServices::ShowMessage(const std::string& text) {
    Record("message", text);
}

void RecordingServices::ShowFileError(const std::string& description) {
    Record("fileError", description);
}

void RecordingServices::SetWaitCursor(bool shown) {
    Record("waitCursor", shown ? "on" : "off");
}

std::vector<std::string> RecordingServices::TextsOf(const std::string& target) const {
    std::vector<std::string> texts;
    for (const auto& call : calls) {
        if (call.target == target)
            texts.push_back(call.text);
    }
    return texts;
}

}  // namespace kitvane::testing
