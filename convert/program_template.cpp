#include "convert/program_template.h"

#include "platform/byte_stream.h"
#include "platform/file_system.h"

namespace kitvane {

std::string TemplatePath(const std::string& folder, const std::string& fileName) {
    return folder + "\\" + fileName;
}

bool TemplatePresent(const std::string& path) {
    return platform::StatusOf(path).exists;
}

std::string MissingTemplateMessage(const std::string& fileName) {
    return "Can't find the " + fileName + " - it should be where this app exe is!";
}

std::string ReadTemplate(const std::string& path, WindowServices& ui) {
    // A file that can't even be opened is passed over; one that opens and then fails is a file error.
    if (platform::OpenForReading(path) == nullptr)
        return {};
    const std::optional<std::string> bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        ui.ShowFileError("An error occurred while reading " + path + ".");
        return {};
    }
    return bytes->substr(0, bytes->find('\0'));
}

std::optional<std::string> ReadRequiredTemplate(const std::string& folder, const std::string& fileName,
                                                WindowServices& ui) {
    const std::string path = TemplatePath(folder, fileName);
    if (!TemplatePresent(path)) {
        ui.ShowMessage(MissingTemplateMessage(fileName));
        return std::nullopt;
    }
    return ReadTemplate(path, ui);
}

void WriteProgramFile(const std::string& path, const std::string& text, WindowServices& ui) {
    const platform::WriteResult result = platform::ReplaceFileContent(path, text);
    if (result.status == platform::WriteResult::Status::Failed) {
        ui.ShowFileError("An error occurred while writing " + path + ": " + result.errorText);
    }
}

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    const auto first = placeholder.empty() ? std::string::npos : text.find(placeholder);
    if (first == std::string::npos)
        return;
    // Room for one replacement, the usual case, so that the result is built without growing; the text
    // before the first match is not searched again.
    std::string result;
    result.reserve(text.size() + value.size());
    result.append(text, 0, first);
    AppendReplaced(result, std::string_view(text).substr(first), placeholder, value);
    text = std::move(result);
}

void AppendReplaced(std::string& out, std::string_view text, const std::string& placeholder,
                    const std::string& value) {
    if (placeholder.empty()) {
        out.append(text);
        return;
    }
    std::size_t start = 0;
    for (auto match = text.find(placeholder); match != std::string_view::npos;
         match = text.find(placeholder, start)) {
        out.append(text, start, match - start).append(value);
        start = match + placeholder.size();
    }
    out.append(text, start, std::string_view::npos);
}

std::string XmlEscaped(const std::string& value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void ReplacePlaceholder(std::string& text, const std::string& placeholder, const std::string& value) {
    ReplaceAll(text, placeholder, XmlEscaped(value));
}

std::string NumberedPlaceholder(const std::string& prefix, int number) {
    return prefix + std::to_string(number) + "%%";
}

std::string ColorPlaceholder(int padNumber) {
    return NumberedPlaceholder("%%COLOR", padNumber);
}

}  // namespace kitvane
