#include "groups/sample_path_corrections.h"

#include <array>
#include <utility>

#include "convert/path_operations.h"
#include "platform/file_system.h"

namespace kitvane {
namespace {

constexpr const char* kSideStick = "Samples/Drums/Snare/SideStick AR50sAutumn V24.wav";
constexpr const char* kSnare = "Samples/Drums/Snare/Snare AR50sAutumn V24.wav";
// The eleventh reference of a group file is the one the snare rule looks at.
constexpr std::size_t kSnareIndex = 10;

// The closed hi-hats of the kit name their velocity without the " V" marker; the corrected names have it.
constexpr std::array<std::pair<const char*, const char*>, 8> kHihatNames{{
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly24 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V24 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly40 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V40 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly54 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V54 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly65 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V65 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly72 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V72 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly77 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V77 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly87 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V87 2.wav"},
    {"Samples/Drums/Hihat/ClosedHH AR60sEarly98 2.wav", "Samples/Drums/Hihat/ClosedHH AR60sEarly V98 2.wav"},
}};

// Makes the corrected name exist beside the original, never replacing a file and never reaching
// outside the library.
void CopyUnderCorrectedName(const std::string& reference, const std::string& corrected,
                            const std::string& libraryFolder) {
    if (!StaysInsideLibrary(reference) || !StaysInsideLibrary(corrected))
        return;
    const std::string source = libraryFolder + "\\" + reference;
    const std::string destination = libraryFolder + "\\" + corrected;
    if (source != destination)
        platform::CopyFileNoReplace(source, destination);
}

}  // namespace

std::string CorrectSamplePath(const std::string& reference, CorrectionMode mode, std::size_t index,
                              const std::string& libraryFolder, bool kitFlag) {
    if (mode == CorrectionMode::Assembly)
        return reference == kSnare ? std::string(kSideStick) : reference;
    std::string result = reference;
    if (index == kSnareIndex && reference == kSideStick)
        result = kSnare;
    if (!kitFlag)
        return result;
    for (const auto& [stored, corrected] : kHihatNames) {
        if (reference == stored)
            result = corrected;
    }
    CopyUnderCorrectedName(reference, result, libraryFolder);
    return result;
}

}  // namespace kitvane
