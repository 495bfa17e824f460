#include "convert/sample_copy.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(SampleCopyTest, NeverReplacesAnExistingCopyButMeasuresTheSource) {
    root.WriteFile("Lib\\Samples\\A\\Kick.wav", WaveOfFrames(100));
    root.WriteFile("Lib\\Samples\\B\\Kick.wav", WaveOfFrames(200));
    Copy("Samples/A/Kick.wav");
    EXPECT_EQ(Copy("Samples/B/Kick.wav"), "Kick.wav");
    EXPECT_EQ(frameCount, "200");
    EXPECT_EQ(ReadFileBytes(programFolder + "Kick.wav"), WaveOfFrames(100));
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
