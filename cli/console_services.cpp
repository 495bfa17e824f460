#include "cli/console_services.h"

#include <ostream>

#include "platform/path_text.h"

namespace kitvane::cli {

void ConsoleServices::SetViewCaptions(const std::string& kits, const std::string& instruments) {
    kitsCaption_ = kits;
    instrumentsCaption_ = instruments;
}

void ConsoleServices::SetStatus(const std::string& text) {
    status_ = text;
    if (!verbose_)
        return;
    FinishProgress();
    err_ << platform::ForDisplay(text) << std::endl;
}

void ConsoleServices::AddMainRow(const std::string& text) {
    mainRows_.push_back(text);
    if (!echoMainRows_)
        return;
    FinishProgress();
    out_ << platform::ForDisplay(text) << std::endl;
}

void ConsoleServices::Trace(const std::string& line) {
    if (!trace_)
        return;
    FinishProgress();
    out_ << line << std::endl;
}

std::string ConsoleServices::MainRowText(int row) const {
    return row >= 0 && row < static_cast<int>(mainRows_.size()) ? mainRows_[static_cast<std::size_t>(row)]
                                                                : "";
}

void ConsoleServices::SetProgressRange(int count) {
    progressRange_ = count;
    DrawProgress();
}

void ConsoleServices::SetProgressPosition(int position) {
    progressPosition_ = position;
    DrawProgress();
}

bool ConsoleServices::StopRequested() const {
    return interrupted_ != nullptr && interrupted_->load();
}

void ConsoleServices::ShowMessage(const std::string& text) {
    FinishProgress();
    std::string lines = platform::ForDisplay(text);
    for (auto at = lines.find("\r\n"); at != std::string::npos; at = lines.find("\r\n", at))
        lines.erase(at, 1);
    err_ << lines << std::endl;
}

void ConsoleServices::ShowFileError(const std::string& description) {
    FinishProgress();
    err_ << "File error: " << platform::ForDisplay(description) << std::endl;
}

void ConsoleServices::DrawProgress() {
    if (!showProgress_ || progressRange_ <= 0)
        return;
    const int percent = progressPosition_ * 100 / progressRange_;
    err_ << "\r[" << progressPosition_ << "/" << progressRange_ << "] " << percent << "%" << std::flush;
    progressShown_ = true;
}

void ConsoleServices::FinishProgress() {
    if (!progressShown_)
        return;
    err_ << "\r\033[K" << std::flush;
    progressShown_ = false;
}

}  // namespace kitvane::cli
