// The parts of the file system that every platform builds the same way.
#include "platform/file_system.h"

#include <algorithm>

#include "platform/byte_stream.h"
#include "platform/entry_order.h"

namespace kitvane::platform {
namespace {

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

void SortByEntryOrder(std::vector<DirectoryEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        const std::string upperA = UpperAscii(a.name), upperB = UpperAscii(b.name);
        return upperA != upperB ? upperA < upperB : a.name < b.name;
    });
}

std::string NearestExistingFolder(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && !StatusOf(folder).isDirectory) {
        const auto separator = folder.rfind('\\');
        if (separator == std::string::npos || folder == "\\")
            return {};
        folder.resize(separator == 0 ? 1 : separator);  // above "\x" comes the POSIX root, "\"
    }
    return folder;
}

WriteResult ReplaceFileContent(const std::string& destination, const std::string& bytes) {
    auto out = CreateOutputFile(destination);
    if (out == nullptr)
        return {WriteResult::Status::NotCreated, {}};
    if (out->Write(bytes.data(), bytes.size()) && out->Commit(OutputFile::Mode::Replace))
        return {};
    return {WriteResult::Status::Failed, out->ErrorText()};
}

}  // namespace kitvane::platform
