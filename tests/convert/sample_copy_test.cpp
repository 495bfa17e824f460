#include "convert/sample_copy.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "convert/path_operations.h"
#include "platform/file_system.h"
#include "tests/support/recording_services.h"
#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::ReadFileBytes;
using testing::RecordingServices;
using testing::TempFolder;

// A 16-bit stereo file of the given number of frames.
std::string WaveOfFrames(std::size_t frames) {
    return testing::PcmWave(std::string(4 * frames, '\0'));
}

class SampleCopyTest : public ::testing::Test {
protected:
    SampleCopyTest() : library(root.MakeFolder("Lib")), programFolder(root.MakeFolder("Out\\Kits") + "\\") {}

    std::string Copy(const std::string& reference) {
        return CopySample(library, reference, programFolder, sampleName, frameCount);
    }

    TempFolder root;
    std::string library;
    std::string programFolder;
    std::string sampleName = "untouched";
    std::string frameCount = "untouched";
};

TEST_F(SampleCopyTest, CopiesTheSampleAndMeasuresIt) {
    const std::string wave = WaveOfFrames(1234);
    root.WriteFile("Lib\\Samples\\Drums\\Kick\\Kick 1.wav", wave);
    EXPECT_EQ(Copy("Samples/Drums/Kick/Kick 1.wav"), "Kick 1.wav");
    EXPECT_EQ(sampleName, "Kick 1");
    EXPECT_EQ(frameCount, "1234");
    EXPECT_EQ(ReadFileBytes(programFolder + "Kick 1.wav"), wave);
}

TEST_F(SampleCopyTest, UsesABackslashReferenceAsItStands) {
    root.WriteFile("Lib\\Samples\\Snare.B.wav", WaveOfFrames(10));
    EXPECT_EQ(Copy("Samples\\Snare.B.wav"), "Snare.B.wav");
    EXPECT_EQ(sampleName, "Snare.B");
    EXPECT_EQ(frameCount, "10");
    EXPECT_TRUE(platform::StatusOf(programFolder + "Snare.B.wav").exists);
}

TEST_F(SampleCopyTest, EmptyReferenceLeavesTheOutputsAsTheyWere) {
    EXPECT_EQ(Copy(""), "");
    EXPECT_EQ(sampleName, "untouched");
    EXPECT_EQ(frameCount, "untouched");
    EXPECT_TRUE(platform::ListDirectory(programFolder).empty());
}

TEST_F(SampleCopyTest, MissingOrUnreadableSamplesAreNamedWithNoFrames) {
    EXPECT_EQ(Copy("Samples/Missing Kick"), "Missing Kick");
    EXPECT_EQ(sampleName, "Missing Kick");
    EXPECT_EQ(frameCount, "0");
    EXPECT_TRUE(platform::ListDirectory(programFolder).empty());

    root.WriteFile("Lib\\Samples\\Noise.wav", "not a wave");
    EXPECT_EQ(Copy("Samples/Noise.wav"), "Noise.wav");
    EXPECT_EQ(frameCount, "0");
    EXPECT_EQ(ReadFileBytes(programFolder + "Noise.wav"), "not a wave");
}

// Two kits whose kicks share a file name: each program names its own kick, measured at the source, and
// the second run of both finds them again without copying anything.
TEST_F(SampleCopyTest, ADifferentSoundOfTheSameNameGetsTheNextFreeName) {
    root.WriteFile("Lib\\Samples\\A\\Kick.wav", WaveOfFrames(100));
    root.WriteFile("Lib\\Samples\\B\\Kick.wav", WaveOfFrames(200));
    for (int run = 1; run <= 2; ++run) {
        EXPECT_EQ(Copy("Samples/A/Kick.wav"), "Kick.wav") << run;
        EXPECT_EQ(Copy("Samples/B/Kick.wav"), "Kick (2).wav") << run;
        EXPECT_EQ(sampleName, "Kick (2)");
        EXPECT_EQ(frameCount, "200");
    }
    EXPECT_EQ(ReadFileBytes(programFolder + "Kick.wav"), WaveOfFrames(100));
    EXPECT_EQ(ReadFileBytes(programFolder + "Kick (2).wav"), WaveOfFrames(200));
    EXPECT_EQ(platform::ListDirectory(programFolder).size(), 2u);
}

TEST(PlaceSampleTest, TakesTheFirstNameThatIsFreeOrHoldsTheSameBytes) {
    const std::string sound = "RIFF kick";
    std::string longSound(200000, 'k');
    std::string longVariant = longSound;
    longVariant[150000] = 's';  // differs only beyond the first block that is compared
    const struct {
        const char* what;
        std::string fileName;
        std::string source;
        std::vector<std::pair<std::string, std::string>> present;  // files in the folder before
        std::string taken;
    } cases[] = {
        {"free name", "Kick.wav", sound, {}, "Kick.wav"},
        {"same bytes already there", "Kick.wav", sound, {{"Kick.wav", sound}}, "Kick.wav"},
        {"other sound", "Kick.wav", sound, {{"Kick.wav", "RIFF snare!"}}, "Kick (2).wav"},
        {"other sound of the same size", "Kick.wav", sound, {{"Kick.wav", "RIFF kicK"}}, "Kick (2).wav"},
        {"other sound, differing late", "Kick.wav", longSound, {{"Kick.wav", longVariant}}, "Kick (2).wav"},
        {"same bytes under the second name",
         "Kick.wav",
         sound,
         {{"Kick.wav", "other"}, {"Kick (2).wav", sound}},
         "Kick (2).wav"},
        {"first two names hold other sounds",
         "Kick.wav",
         sound,
         {{"Kick.wav", "other"}, {"Kick (2).wav", "another"}},
         "Kick (3).wav"},
        {"a folder under the name", "Kick.wav", sound, {{"Kick.wav\\inside", ""}}, "Kick (2).wav"},
        {"no extension", "Kick", sound, {{"Kick", "other"}}, "Kick (2)"},
        {"dots in the stem", "Kick.B.wav", sound, {{"Kick.B.wav", "other"}}, "Kick.B (2).wav"},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::string source = temp.WriteFile("Lib\\" + c.fileName, c.source);
        const std::string folder = temp.MakeFolder("Out") + "\\";
        for (const auto& [name, bytes] : c.present)
            temp.WriteFile("Out\\" + name, bytes);

        EXPECT_EQ(PlaceSample(source, folder, c.fileName).fileName, c.taken) << c.what;
        EXPECT_EQ(ReadFileBytes(folder + c.taken), c.source) << c.what;
        for (const auto& [name, bytes] : c.present)
            EXPECT_EQ(ReadFileBytes(folder + name), bytes) << c.what << ": " << name;
        const bool copied = std::none_of(c.present.begin(), c.present.end(),
                                         [&](const auto& file) { return file.first == c.taken; });
        EXPECT_EQ(platform::ListDirectory(folder).size(), c.present.size() + (copied ? 1 : 0)) << c.what;
    }
}

TEST(PlaceSampleTest, ASourceThatCannotBeReadKeepsItsNameAndCopiesNothing) {
    TempFolder temp;
    const std::string folder = temp.MakeFolder("Out") + "\\";
    temp.WriteFile("Out\\Kick.wav", "other");
    temp.MakeFolder("Lib\\Folder.wav");
    for (const char* source : {"Lib\\Missing.wav", "Lib\\Folder.wav"}) {
        const std::string fileName = FileNameOfPath(source);
        EXPECT_EQ(PlaceSample(temp.PathOf(source), folder, fileName).fileName, fileName);
    }
    EXPECT_EQ(PlaceSample(temp.PathOf("Lib\\Kick.wav"), folder, "Kick.wav").fileName, "Kick.wav");
    EXPECT_EQ(platform::ListDirectory(folder).size(), 1u);
    EXPECT_EQ(ReadFileBytes(folder + "Kick.wav"), "other");
}

TEST_F(SampleCopyTest, ReferencesLeavingTheLibraryAreNeitherReadNorCopied) {
    const std::string outside = root.WriteFile("Secret\\Secret.wav", WaveOfFrames(77));
    std::string absolute = outside;
    std::replace(absolute.begin(), absolute.end(), '\\', '/');
    for (const std::string& reference : {std::string("../Secret/Secret.wav"), absolute}) {
        sampleName = frameCount = "untouched";
        EXPECT_EQ(Copy(reference), "Secret.wav") << reference;
        EXPECT_EQ(sampleName, "Secret");
        EXPECT_EQ(frameCount, "0");
        EXPECT_TRUE(platform::ListDirectory(programFolder).empty()) << reference;
    }
}

TEST(CopyPreviewTest, CopiesAnExistingPreviewIntoPreviewsWithoutReplacing) {
    TempFolder root;
    const std::string source = root.WriteFile("Lib\\Groups\\.previews\\Kit 1.mxgrp.ogg", "first");
    const std::string destination = root.PathOf("Out\\Kits\\[Previews]\\Kit 1.xpm.ogg");
    RecordingServices ui;
    CopyPreview(source, destination, ui);
    EXPECT_EQ(ReadFileBytes(destination), "first");
    EXPECT_EQ(ui.TextsOf("waves"), std::vector<std::string>{"[Previews]"});

    root.WriteFile("Lib\\Groups\\.previews\\Kit 1.mxgrp.ogg", "second");
    CopyPreview(source, destination, ui);
    EXPECT_EQ(ReadFileBytes(destination), "first");
}

TEST(CopyPreviewTest, DoesNothingWithoutAPreview) {
    TempFolder root;
    RecordingServices ui;
    CopyPreview(root.PathOf("Lib\\Groups\\previews\\Kit 1.mxgrp.ogg"),
                root.PathOf("Out\\Kits\\[Previews]\\Kit 1.xpm.ogg"), ui);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_FALSE(platform::StatusOf(root.PathOf("Out")).exists);
}

}  // namespace
}  // namespace kitvane
