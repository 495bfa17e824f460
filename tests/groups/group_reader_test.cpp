#include "groups/group_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/path_operations.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

using namespace std::string_literals;

const std::string kSideStick = "Samples/Drums/Snare/SideStick AR50sAutumn V24.wav";
const std::string kSnare = "Samples/Drums/Snare/Snare AR50sAutumn V24.wav";
const std::string kHihat = "Samples/Drums/Hihat/ClosedHH AR60sEarly24 2.wav";
const std::string kCorrectedHihat = "Samples/Drums/Hihat/ClosedHH AR60sEarly V24 2.wav";
const std::string kKitFile = "Abbey Road 60s Early Direct Kit.mxgrp";

// Group file bytes as the product stores them, roughly: each text between binary bytes.
std::string GroupBytes(const std::vector<std::string>& texts) {
    std::string bytes = "\x00\x01\xff\x10"s;
    for (const auto& text : texts)
        bytes += text + "\x00\x07\x80\x1f"s;
    return bytes;
}

std::vector<std::string> ReferencesIn(std::string_view bytes) {
    PadTable table;
    ReadGroupBytes(bytes, false, "\\lib", table);
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        EXPECT_EQ(table.layer2[i] + table.layer3[i] + table.layer4[i], "") << "row " << i;
    }
    return table.layer1;
}

std::string Utf16(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii)
        bytes += std::string(1, c) + '\0';
    return bytes;
}

struct RunCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> references;
};

TEST(GroupReader, KeepsOnlyPrintableRunsThatLookLikeSamplePaths) {
    const std::vector<RunCase> cases = {
        {"path used whole", GroupBytes({"Drums/Kick 01.wav"}), {"Drums/Kick 01.wav"}},
        {"cut at the first Samples", GroupBytes({"abcSamples/x/Samples/y.wav"}), {"Samples/x/Samples/y.wav"}},
        {"absolute path with Samples",
         GroupBytes({"C:\\Users\\a\\Samples\\Drums\\k.wav"}),
         {"Samples\\Drums\\k.wav"}},
        {"colon without Samples", GroupBytes({"C:\\Users\\a\\Drums\\kick01.wav"}), {}},
        {".wav compared with its case", GroupBytes({"Samples/Kick.WAV"}), {}},
        {"too short", GroupBytes({"x.wav", "abcdef.wav"}), {}},
        {"eleven characters are enough", GroupBytes({"abcdefg.wav"}), {"abcdefg.wav"}},
        {"first .wav at position 0", GroupBytes({".wav/Samples/ab.wav"}), {}},
        {"no .wav at all", GroupBytes({"Samples/Drums/Kick 01.aif"}), {}},
        {"UTF-16 text is never found", GroupBytes({Utf16("Samples/Drums/Kick 01.wav")}), {}},
        {"split at a UTF-8 letter, pieces examined apart",
         GroupBytes({"Samples/Caf\xc3\xa9/Deep Kick 01.wav"}),
         {"/Deep Kick 01.wav"}},
        {"0x7F ends a run, blank and tilde are printable", "Samples/a ~b.wav\x7f"s, {"Samples/a ~b.wav"}},
        {"duplicates give a row each",
         GroupBytes({"Samples/k.wav1", "Samples/k.wav1"}),
         {"Samples/k.wav1", "Samples/k.wav1"}},
        {"unterminated last run is lost", GroupBytes({"Samples/a.wav"}) + "Samples/b.wav", {"Samples/a.wav"}},
        {"unterminated only run", "Samples/Drums/Kick 01.wav"s, {}},
        {"empty", ""s, {}},
        {"only separators", "\x00\x00\xff\x01"s, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReferencesIn(c.bytes), c.references) << c.what;
}

TEST(GroupReader, AppendsToTheTableWithoutClearingIt) {
    PadTable table;
    table.AddRow("kept", "a", "b", "c");
    ReadGroupBytes(GroupBytes({"Samples/Kick 1.wav"}), false, "\\lib", table);
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(table.layer1, (std::vector<std::string>{"kept", "Samples/Kick 1.wav"}));
    EXPECT_EQ(table.layer4, (std::vector<std::string>{"c", ""}));
}

// The index of the snare rule counts kept references, not runs: the dropped runs between them don't count.
TEST(GroupReader, SnareRuleAppliesToTheEleventhKeptReferenceOnly) {
    std::vector<std::string> texts;
    for (int i = 0; i < 9; ++i)
        texts.insert(texts.end(), {"junk", "Samples/Kick " + std::to_string(i) + ".wav"});
    texts.insert(texts.end(), {kSideStick, "C:\\dropped.wav", kSideStick, kSideStick});
    const auto references = ReferencesIn(GroupBytes(texts));
    ASSERT_EQ(references.size(), 12u);
    EXPECT_EQ(references[9], kSideStick);
    EXPECT_EQ(references[10], kSnare);
    EXPECT_EQ(references[11], kSideStick);
}

TEST(GroupReader, KitFlagNeedsMoreThanFortyCharactersEndingInTheKitFile) {
    const struct {
        std::string path;
        bool flagged;
    } cases[] = {
        {"\\L\\" + kKitFile, false},         // 40 characters
        {"\\Li\\" + kKitFile, true},         // 41
        {"\\\xc3\xa9\\" + kKitFile, false},  // 40 characters in 41 bytes
        {"\\Lib\\X" + kKitFile, true},       // the last 37 characters decide, not the file name
        {"\\Lib\\abbey Road 60s Early Direct Kit.mxgrp", false},
        {"\\Lib\\Abbey Road 60s Early Direct Kit.mxgrp.bak", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCorrectedKitGroup(c.path), c.flagged) << c.path;
}

TEST(GroupReader, MissingOrEmptyFileAddsNothing) {
    TempFolder temp;
    PadTable table;
    ReadGroupFile(temp.PathOf("none.mxgrp"), temp.Path(), table);
    ReadGroupFile(temp.WriteFile("empty.mxgrp"), temp.Path(), table);
    ReadGroupFile(temp.MakeFolder("folder.mxgrp"), temp.Path(), table);
    EXPECT_EQ(table.RowCount(), 0u);
}

TEST(GroupReader, KitGroupGetsCorrectedNamesAndCopiesOnceWithoutReplacing) {
    TempFolder library;
    library.WriteFile(kHihat, "original hihat");
    const std::string bytes = GroupBytes({kHihat, "Samples/Drums/Kick/Kick.wav"});
    const std::string kitGroup = library.WriteFile("Groups/" + kKitFile, bytes);

    PadTable table;
    ReadGroupFile(kitGroup, library.Path(), table);
    EXPECT_EQ(table.layer1, (std::vector<std::string>{kCorrectedHihat, "Samples/Drums/Kick/Kick.wav"}));
    EXPECT_EQ(ReadFileBytes(library.PathOf(kCorrectedHihat)), "original hihat");

    // A second read leaves the copy as it is, even when the original has changed since.
    library.WriteFile(kHihat, "changed hihat");
    ReadGroupFile(kitGroup, library.Path(), table);
    EXPECT_EQ(table.RowCount(), 4u);
    EXPECT_EQ(ReadFileBytes(library.PathOf(kCorrectedHihat)), "original hihat");
}

TEST(GroupReader, OtherGroupsKeepTheHihatNamesAndCopyNothing) {
    TempFolder library;
    library.WriteFile(kHihat, "original hihat");
    PadTable table;
    ReadGroupFile(library.WriteFile("Groups/Another Kit.mxgrp", GroupBytes({kHihat})), library.Path(), table);
    EXPECT_EQ(table.layer1, (std::vector<std::string>{kHihat}));
    EXPECT_FALSE(PathExists(library.PathOf(kCorrectedHihat)));
}

// Whatever the bytes, the scan ends and keeps only runs of printable text.
TEST(GroupReader, SurvivesArbitraryBytes) {
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 24);
        if (i % 997 == 0)
            bytes += "Samples/Drums/Kick " + std::to_string(i) + ".wav";
    }
    const auto references = ReferencesIn(bytes);
    for (const auto& reference : references) {
        for (const unsigned char c : reference)
            EXPECT_TRUE(c >= 0x20 && c <= 0x7E);
    }
    EXPECT_GE(references.size(), 150u);
}

}  // namespace
}  // namespace kitvane
