#include "groups/sample_path_corrections.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/path_operations.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

const std::string kSideStick = "Samples/Drums/Snare/SideStick AR50sAutumn V24.wav";
const std::string kSnare = "Samples/Drums/Snare/Snare AR50sAutumn V24.wav";

std::string Hihat(const std::string& velocity) {
    return "Samples/Drums/Hihat/ClosedHH AR60sEarly" + velocity + " 2.wav";
}

std::string Read(const std::string& reference, std::size_t index, const std::string& library, bool kitFlag) {
    return CorrectSamplePath(reference, CorrectionMode::Reader, index, library, kitFlag);
}

TEST(SamplePathCorrections, KitFlagCorrectsEveryClosedHihatAndCopiesIt) {
    TempFolder library;
    for (const char* velocity : {"24", "40", "54", "65", "72", "77", "87", "98"}) {
        library.WriteFile(Hihat(velocity), velocity);
        EXPECT_EQ(Read(Hihat(velocity), 3, library.Path(), true), Hihat(std::string(" V") + velocity));
        EXPECT_EQ(ReadFileBytes(library.PathOf(Hihat(std::string(" V") + velocity))), velocity);
    }
}

TEST(SamplePathCorrections, HihatsStayWithoutTheKitFlagOrInAnotherCase) {
    TempFolder library;
    library.WriteFile(Hihat("24"), "x");
    EXPECT_EQ(Read(Hihat("24"), 0, library.Path(), false), Hihat("24"));
    const std::string lowered = "samples/drums/hihat/ClosedHH AR60sEarly24 2.wav";
    EXPECT_EQ(Read(lowered, 0, library.Path(), true), lowered);
    EXPECT_EQ(Read(Hihat("30"), 0, library.Path(), true), Hihat("30"));
    EXPECT_FALSE(PathExists(library.PathOf(Hihat(" V24"))));
}

TEST(SamplePathCorrections, SnareRuleAtIndexTenOnlyAndCopiesOnlyWithTheKitFlag) {
    TempFolder library;
    library.WriteFile(kSideStick, "side stick");
    EXPECT_EQ(Read(kSideStick, 9, library.Path(), true), kSideStick);
    EXPECT_EQ(Read(kSideStick, 11, library.Path(), true), kSideStick);
    EXPECT_EQ(Read(kSideStick, 10, library.Path(), false), kSnare);
    EXPECT_FALSE(PathExists(library.PathOf(kSnare)));
    EXPECT_EQ(Read(kSideStick, 10, library.Path(), true), kSnare);
    EXPECT_EQ(ReadFileBytes(library.PathOf(kSnare)), "side stick");
}

TEST(SamplePathCorrections, CopyNeverReplacesAndAFailedCopyStillCorrects) {
    TempFolder library;
    library.WriteFile(Hihat("40"), "new");
    library.WriteFile(Hihat(" V40"), "already there");
    EXPECT_EQ(Read(Hihat("40"), 0, library.Path(), true), Hihat(" V40"));
    EXPECT_EQ(ReadFileBytes(library.PathOf(Hihat(" V40"))), "already there");
    // No source sample: the corrected name is returned all the same.
    EXPECT_EQ(Read(Hihat("54"), 0, library.Path(), true), Hihat(" V54"));
    EXPECT_FALSE(PathExists(library.PathOf(Hihat(" V54"))));
}

TEST(SamplePathCorrections, AssemblyModeOnlyTurnsTheSnareBackIntoTheSideStick) {
    const auto assembled = [](const std::string& reference) {
        return CorrectSamplePath(reference, CorrectionMode::Assembly, 10, "\\nowhere", true);
    };
    EXPECT_EQ(assembled(kSnare), kSideStick);
    EXPECT_EQ(assembled(kSideStick), kSideStick);
    EXPECT_EQ(assembled(Hihat("24")), Hihat("24"));
}

}  // namespace
}  // namespace kitvane
