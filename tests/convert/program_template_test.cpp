#include "convert/program_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "platform/file_system.h"
#include "tests/support/mpc_shape.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xml_check.h"

namespace kitvane {
namespace {

using testing::ReadFileBytes;
using testing::RecordingServices;
using testing::TempFolder;
using testing::XmlElement;

TEST(ReplaceAllTest, ReplacesEveryMatchOnceWithoutRescanningTheValue) {
    struct Case {
        const char* text;
        const char* placeholder;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"a%%X%%b%%X%%", "%%X%%", "1", "a1b1"},
        {"aaaa", "aa", "b", "bb"},
        {"aaa", "aa", "b", "ba"},
        {"%%X%%", "%%X%%", "%%X%%%%X%%", "%%X%%%%X%%"},
        {"%%A%%%", "%%A%%", "%%A%", "%%A%%"},  // value and following text form a token that stays
        {"%%COLOR1%% %%COLOR10%% %%COLOR100%%", "%%COLOR1%%", "5", "5 %%COLOR10%% %%COLOR100%%"},
        {"%%PROGNAME%%", "%%progname%%", "x", "%%PROGNAME%%"},
        {"no token here", "%%X%%", "1", "no token here"},
        {"abc", "", "1", "abc"},
        {"", "%%X%%", "1", ""},
        {"%%X%%", "%%X%%", "", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        ReplaceAll(text, c.placeholder, c.value);
        EXPECT_EQ(text, c.expected) << c.text << " / " << c.placeholder;
        // Appending makes the same replacements after what the output holds already.
        std::string appended = "<kept>";
        AppendReplaced(appended, c.text, c.placeholder, c.value);
        EXPECT_EQ(appended, std::string("<kept>") + c.expected) << c.text << " / " << c.placeholder;
    }
}

TEST(ReplaceAllTest, LaterCallsReplaceAPlaceholderThatAnEarlierValueBroughtIn) {
    std::string text = "<a>%%PROGNAME%%</a>";
    ReplaceAll(text, "%%PROGNAME%%", "%%VOLUME%%");
    ReplaceAll(text, "%%VOLUME%%", "1.000000");
    EXPECT_EQ(text, "<a>1.000000</a>");
}

TEST(ReplacePlaceholderTest, EscapesTheFiveXmlCharactersInTheValue) {
    EXPECT_EQ(XmlEscaped("R&B <\"Drums\"> 'Vol. 2'"), "R&amp;B &lt;&quot;Drums&quot;&gt; &apos;Vol. 2&apos;");
    EXPECT_EQ(XmlEscaped("Kick \xC3\xA9 1"), "Kick \xC3\xA9 1");
    std::string text = "<ProgramName>%%PROGNAME%%</ProgramName>";
    ReplacePlaceholder(text, "%%PROGNAME%%", "R&B");
    EXPECT_EQ(text, "<ProgramName>R&amp;B</ProgramName>");
    EXPECT_EQ(ColorPlaceholder(1), "%%COLOR1%%");
    EXPECT_EQ(ColorPlaceholder(128), "%%COLOR128%%");
}

TEST(ProgramTemplateTest, NamesItsPathAndItsMissingMessage) {
    EXPECT_EQ(TemplatePath("C:\\Tools", kDrumTemplate), "C:\\Tools\\drum.xpm");
    const std::pair<const char*, const char*> cases[] = {
        {kDrumTemplate, "Can't find the drum.xpm - it should be where this app exe is!"},
        {kDrumLoopTemplate, "Can't find the drumloop.xpm - it should be where this app exe is!"},
        {kKeygroupTemplate, "Can't find the keygroup.xpm - it should be where this app exe is!"},
        {kKeyLoopTemplate, "Can't find the keyloop.xpm - it should be where this app exe is!"},
    };
    for (const auto& [name, message] : cases)
        EXPECT_EQ(MissingTemplateMessage(name), message);

    TempFolder folder;
    folder.WriteFile("drum.xpm", "x");
    EXPECT_TRUE(TemplatePresent(TemplatePath(folder.Path(), kDrumTemplate)));
    EXPECT_FALSE(TemplatePresent(TemplatePath(folder.Path(), kKeyLoopTemplate)));
}

TEST(ReadTemplateTest, KeepsTheBytesAndLineEndsUpToTheFirstNul) {
    const std::pair<std::string, std::string> cases[] = {
        {"<a>\r\n<b/>\r\n</a>\r\n", "<a>\r\n<b/>\r\n</a>\r\n"},
        {"<a>\n</a>\n", "<a>\n</a>\n"},
        {std::string("<\0?\0x\0m\0l\0", 10), "<"},  // saved as UTF-16
        {std::string("\0abc", 4), ""},
        {"\x80\xC3\xA9\xFF", "\x80\xC3\xA9\xFF"},
        {"", ""},
    };
    TempFolder folder;
    for (const auto& [bytes, expected] : cases) {
        RecordingServices ui;
        EXPECT_EQ(ReadTemplate(folder.WriteFile("t.xpm", bytes), ui), expected);
        EXPECT_TRUE(ui.calls.empty());
    }
}

TEST(ReadTemplateTest, GivesAnEmptyTextSilentlyWhenTheFileCannotBeOpened) {
    TempFolder folder;
    RecordingServices ui;
    EXPECT_EQ(ReadTemplate(folder.PathOf("missing.xpm"), ui), "");
    EXPECT_EQ(ReadTemplate(folder.MakeFolder("drum.xpm"), ui), "");
    EXPECT_TRUE(ui.calls.empty());
}

TEST(WriteProgramFileTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string program = folder.WriteFile("Kits\\Kit 1.xpm", std::string(5000, 'o'));
    RecordingServices ui;
    WriteProgramFile(program, "<new/>\r\n", ui);
    EXPECT_EQ(ReadFileBytes(program), "<new/>\r\n");
    WriteProgramFile(program, "", ui);
    EXPECT_EQ(ReadFileBytes(program), "");
    EXPECT_TRUE(ui.calls.empty());
    const auto entries = platform::ListDirectory(folder.PathOf("Kits"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Kit 1.xpm");
}

TEST(WriteProgramFileTest, SkipsSilentlyAFileThatCannotBeCreated) {
    TempFolder folder;
    RecordingServices ui;
    const std::string program = folder.PathOf("no folder\\Kit.xpm");
    WriteProgramFile(program, "<x/>", ui);
    EXPECT_FALSE(platform::StatusOf(program).exists);
    EXPECT_TRUE(ui.calls.empty());
}

// The shipped templates, filled the way the drum and keygroup builders fill them.
class ShippedTemplateTest : public ::testing::Test {
protected:
    std::string Read(const char* name) {
        const std::string path = TemplatePath(platform::ExecutableFolder(), name);
        EXPECT_TRUE(TemplatePresent(path)) << path;
        RecordingServices ui;
        return ReadTemplate(path, ui);
    }

    static XmlElement Parsed(const std::string& program) {
        std::string problem;
        const auto root = testing::ParseXml(program, problem);
        EXPECT_TRUE(root.has_value()) << problem;
        return root.value_or(XmlElement{});
    }

    static void ExpectNoPlaceholderLeft(const std::string& program) {
        EXPECT_EQ(program.find("%%"), std::string::npos);
        EXPECT_EQ(program.find("##"), std::string::npos);
    }

    // Layer k of a block: sample, frame count and velocity range.
    struct LayerValues {
        std::string sample, frames, velStart, velEnd, rootNote;
    };
    static void FillLayers(std::string& block, const LayerValues (&layers)[4]) {
        for (int k = 0; k < 4; ++k) {
            const std::string n = std::to_string(k + 1);
            ReplacePlaceholder(block, "%%SAMPLENAME" + n + "%%", layers[k].sample);
            ReplacePlaceholder(block, "%%SLICEEND" + n + "%%", layers[k].frames);
            ReplacePlaceholder(block, "%%VELSTART" + n + "%%", layers[k].velStart);
            ReplacePlaceholder(block, "%%VELEND" + n + "%%", layers[k].velEnd);
            ReplacePlaceholder(block, "##ROOTNOTE" + n + "%%", layers[k].rootNote);
        }
    }

    // keygroup.xpm and keyloop.xpm filled for three keygroups of one sample each.
    std::string FilledKeygroupProgram();

    // The pad colours as the pads JSON inside ProgramPads-v2.10 lists them, pad 1 first.
    static std::vector<long> PadColours(const XmlElement& program) {
        const XmlElement* pads = program.Child("ProgramPads-v2.10");
        if (pads == nullptr)
            return {};
        const std::string& json = pads->text;
        const auto start = json.find("\"pads\": {");
        const auto end = json.find('}', start);
        if (start == std::string::npos || end == std::string::npos)
            return {};
        const std::string object = json.substr(start, end - start);
        std::vector<long> colours;
        const std::regex entry("\"value(\\d+)\": (\\d+)");
        for (std::sregex_iterator it(object.begin(), object.end(), entry), last; it != last; ++it) {
            EXPECT_EQ(std::stoul((*it)[1]), colours.size());
            colours.push_back(std::stol((*it)[2]));
        }
        return colours;
    }
};

TEST_F(ShippedTemplateTest, EachTemplateHoldsThePlaceholdersOfItsKindAndNoOthers) {
    const std::string drum = Read(kDrumTemplate), drumLoop = Read(kDrumLoopTemplate);
    const std::string keygroup = Read(kKeygroupTemplate), keyLoop = Read(kKeyLoopTemplate);
    for (const std::string* text : {&drum, &drumLoop, &keygroup, &keyLoop}) {
        EXPECT_EQ(text->find('\r'), std::string::npos);
    }
    for (int pad = 1; pad <= 128; ++pad)
        EXPECT_NE(drum.find(ColorPlaceholder(pad)), std::string::npos) << pad;
    for (const std::string* whole : {&drum, &keygroup}) {
        EXPECT_NE(whole->find("<ProgramName>%%PROGNAME%%</ProgramName>"), std::string::npos);
        EXPECT_NE(whole->find("%%INSTRUMENTLOOP%%"), std::string::npos);
        EXPECT_EQ(whole->find("%%VOLUME%%"), std::string::npos);
        EXPECT_EQ(whole->find("%%INSTNUMBER%%"), std::string::npos);
    }
    EXPECT_NE(keygroup.find("<KeygroupNumKeygroups>%%NUMKEYGROUP%%</KeygroupNumKeygroups>"),
              std::string::npos);
    EXPECT_EQ(keygroup.find("%%COLOR"), std::string::npos);
    for (const std::string* entry : {&drumLoop, &keyLoop}) {
        EXPECT_NE(entry->find("<Instrument number=\"%%INSTNUMBER%%\">"), std::string::npos);
        EXPECT_NE(entry->find("<Volume>%%VOLUME%%</Volume>"), std::string::npos);
        for (int k = 1; k <= 4; ++k) {
            const std::string n = std::to_string(k);
            EXPECT_NE(entry->find("<SampleName>%%SAMPLENAME" + n + "%%</SampleName>"), std::string::npos);
            EXPECT_NE(entry->find("<SliceEnd>%%SLICEEND" + n + "%%</SliceEnd>"), std::string::npos);
            EXPECT_NE(entry->find("<VelStart>%%VELSTART" + n + "%%</VelStart>"), std::string::npos);
            EXPECT_NE(entry->find("<VelEnd>%%VELEND" + n + "%%</VelEnd>"), std::string::npos);
        }
        EXPECT_EQ(entry->find("%%PROGNAME%%"), std::string::npos);
    }
    EXPECT_NE(keyLoop.find("<VolumeRelease>%%VOLRELEASE%%</VolumeRelease>"), std::string::npos);
    EXPECT_NE(keyLoop.find("<LowNote>%%LOWNOTE%%</LowNote>"), std::string::npos);
    EXPECT_NE(keyLoop.find("<HighNote>%%HIGHNOTE%%</HighNote>"), std::string::npos);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_NE(keyLoop.find("<RootNote>##ROOTNOTE" + std::to_string(k) + "%%</RootNote>"),
                  std::string::npos);
    }
    EXPECT_EQ(drumLoop.find("%%LOWNOTE%%"), std::string::npos);
    EXPECT_EQ(drumLoop.find("##ROOTNOTE"), std::string::npos);
}

TEST_F(ShippedTemplateTest, FilledDrumProgramHas128PadsOfFourLayersAndItsColours) {
    std::string program = Read(kDrumTemplate);
    const std::string entry = Read(kDrumLoopTemplate);
    ReplacePlaceholder(program, "%%PROGNAME%%", "R&B Drums");
    std::string blocks;
    const long colours[] = {16711680, 255, 127};
    for (int pad = 1; pad <= 128; ++pad) {
        std::string block = entry;
        ReplacePlaceholder(block, "%%INSTNUMBER%%", std::to_string(pad));
        const bool built = pad <= 3;
        const std::string sample = built ? "Kick <" + std::to_string(pad) + "> & 'Snap'" : "";
        const LayerValues one = {sample, built ? "44100" : "0", "0", "32", ""};
        const LayerValues rest = {built ? "Kick Soft" : "", built ? "22050" : "0", "33", "127", ""};
        FillLayers(block, {one, rest, rest, rest});
        ReplacePlaceholder(block, "%%VOLUME%%", built ? "0.750000" : "1.000000");
        ReplacePlaceholder(program, ColorPlaceholder(pad), std::to_string(built ? colours[pad - 1] : 0));
        blocks += block;
    }
    ReplaceAll(program, "%%INSTRUMENTLOOP%%", blocks);
    ExpectNoPlaceholderLeft(program);

    const XmlElement root = Parsed(program);
    EXPECT_EQ(testing::ExportShapeDepartures(root), std::vector<std::string>{});
    EXPECT_EQ(root.name, "MPCVObject");
    ASSERT_NE(root.Child("Version"), nullptr);
    EXPECT_EQ(root.children.front().name, "Version");
    EXPECT_EQ(root.Child("Version")->Child("File_Version")->text, "2.1");
    const XmlElement* drum = root.Child("Program");
    ASSERT_NE(drum, nullptr);
    EXPECT_EQ(drum->Attribute("type"), "Drum");
    EXPECT_EQ(drum->children.front().name, "ProgramName");
    EXPECT_EQ(drum->Child("ProgramName")->text, "R&B Drums");

    const auto instruments = drum->Child("Instruments")->Children("Instrument");
    ASSERT_EQ(instruments.size(), 128u);
    for (int pad = 1; pad <= 128; ++pad) {
        const XmlElement& instrument = *instruments[pad - 1];
        EXPECT_EQ(instrument.Attribute("number"), std::to_string(pad));
        EXPECT_EQ(instrument.Child("TriggerMode")->text, "0");
        ASSERT_EQ(instrument.Child("Layers")->Children("Layer").size(), 4u) << pad;
    }
    const XmlElement& first = *instruments[0];
    EXPECT_EQ(first.Child("Volume")->text, "0.750000");
    EXPECT_EQ(instruments[3]->Child("Volume")->text, "1.000000");
    const auto layers = first.Child("Layers")->Children("Layer");
    EXPECT_EQ(layers[0]->Child("SampleName")->text, "Kick <1> & 'Snap'");
    EXPECT_EQ(layers[0]->Child("SliceEnd")->text, "44100");
    EXPECT_EQ(layers[3]->Child("VelEnd")->text, "127");
    EXPECT_EQ(layers[3]->Attribute("number"), "4");

    std::vector<long> expectedColours(128, 0);
    std::copy(std::begin(colours), std::end(colours), expectedColours.begin());
    EXPECT_EQ(PadColours(*drum), expectedColours);

    const auto notes = drum->Child("PadNoteMap")->Children("PadNote");
    ASSERT_EQ(notes.size(), 128u);
    for (int pad = 1; pad <= 128; ++pad) {
        EXPECT_EQ(notes[pad - 1]->Attribute("number"), std::to_string(pad));
        EXPECT_EQ(notes[pad - 1]->Child("Note")->text, std::to_string((35 + pad) % 128));
    }
    EXPECT_EQ(drum->Child("PadGroupMap")->Children("PadGroup").size(), 128u);
}

// Three keygroups of one sample each, keys split at the given notes.
constexpr std::pair<int, int> kKeyRanges[] = {{0, 61}, {62, 72}, {73, 127}};

std::string ShippedTemplateTest::FilledKeygroupProgram() {
    std::string program = Read(kKeygroupTemplate);
    const std::string entry = Read(kKeyLoopTemplate);
    ReplacePlaceholder(program, "%%PROGNAME%%", "Piano & Strings");
    std::string blocks;
    for (int number = 1; number <= 3; ++number) {
        std::string block = entry;
        ReplacePlaceholder(block, "%%INSTNUMBER%%", std::to_string(number));
        const LayerValues one = {"Piano C" + std::to_string(number + 2), "96000", "0", "127",
                                 std::to_string(kKeyRanges[number - 1].second)};
        const LayerValues none = {"", "0", "0", "127", "0"};
        FillLayers(block, {one, none, none, none});
        ReplacePlaceholder(block, "%%LOWNOTE%%", std::to_string(kKeyRanges[number - 1].first));
        ReplacePlaceholder(block, "%%HIGHNOTE%%", std::to_string(kKeyRanges[number - 1].second));
        ReplacePlaceholder(block, "%%VOLUME%%", "0.800000");
        ReplacePlaceholder(block, "%%VOLRELEASE%%", "0.670000");
        blocks += block;
    }
    ReplacePlaceholder(program, "%%NUMKEYGROUP%%", "3");
    ReplaceAll(program, "%%INSTRUMENTLOOP%%", blocks);
    return program;
}

TEST_F(ShippedTemplateTest, FilledKeygroupProgramCountsItsKeygroups) {
    const std::string program = FilledKeygroupProgram();
    ExpectNoPlaceholderLeft(program);

    const XmlElement root = Parsed(program);
    EXPECT_EQ(testing::ExportShapeDepartures(root), std::vector<std::string>{});
    const XmlElement* keygroup = root.Child("Program");
    ASSERT_NE(keygroup, nullptr);
    EXPECT_EQ(keygroup->Attribute("type"), "Keygroup");
    EXPECT_EQ(keygroup->Child("ProgramName")->text, "Piano & Strings");
    EXPECT_EQ(keygroup->Child("KeygroupNumKeygroups")->text, "3");
    const auto instruments = keygroup->Child("Instruments")->Children("Instrument");
    ASSERT_EQ(instruments.size(), 3u);
    for (int number = 1; number <= 3; ++number) {
        const XmlElement& instrument = *instruments[number - 1];
        EXPECT_EQ(instrument.Attribute("number"), std::to_string(number));
        EXPECT_EQ(instrument.Child("LowNote")->text, std::to_string(kKeyRanges[number - 1].first));
        EXPECT_EQ(instrument.Child("HighNote")->text, std::to_string(kKeyRanges[number - 1].second));
        EXPECT_EQ(instrument.Child("TriggerMode")->text, "2");
        EXPECT_EQ(instrument.Child("VolumeRelease")->text, "0.670000");
        const auto layers = instrument.Child("Layers")->Children("Layer");
        ASSERT_EQ(layers.size(), 4u);
        EXPECT_EQ(layers[0]->Child("RootNote")->text, std::to_string(kKeyRanges[number - 1].second));
        EXPECT_EQ(layers[1]->Child("RootNote")->text, "0");
    }
}

// The shape check itself: each departure that a template could make from the exports is found.
TEST_F(ShippedTemplateTest, ShapeCheckFindsEveryKindOfDeparture) {
    const std::string program = FilledKeygroupProgram();
    const struct {
        const char* what;
        std::string from, to;
        const char* found;
    } cases[] = {
        {"an instrument element left out", "<CueBusEnable>False</CueBusEnable>\n        <AudioRoute>",
         "<AudioRoute>", "Instrument 1: child 1 is <AudioRoute>, exports have <CueBusEnable>"},
        {"a layer element left out", "<PitchRandom>0.000000</PitchRandom>", "",
         "Instrument 1, Layer 1: child 18 is <VolumeRandom>, exports have <PitchRandom>"},
        {"envelope elements in another order",
         "<VolumeHold>0.000000</VolumeHold>\n        <VolumeDecayType>True</VolumeDecayType>",
         "<VolumeDecayType>True</VolumeDecayType>\n        <VolumeHold>0.000000</VolumeHold>",
         "Instrument 1: child 32 is <VolumeDecayType>, exports have <VolumeHold>"},
        {"a value other than the exports'", "<KeyTrack>False</KeyTrack>", "<KeyTrack>True</KeyTrack>",
         "Instrument 1, Layer 1: <KeyTrack> holds \"True\", exports have \"False\""},
        {"an instrument routed away from its program", "<AudioRoute>0</AudioRoute>",
         "<AudioRoute>2</AudioRoute>",
         "Instrument 1 AudioRoute: <AudioRoute> holds \"2\", exports have \"0\""},
        {"a keygroup setting left out", "<KeygroupAftertouchToFilter>0.000000</KeygroupAftertouchToFilter>",
         "", "Program: child 30 is <QLinkAssignments>, exports have <KeygroupAftertouchToFilter>"},
        {"the last element left out", "<QLinkAssignments/>", "", "Program: <QLinkAssignments> is missing"},
        {"an element exports do not have", "<QLinkAssignments/>", "<QLinkAssignments/><Extra/>",
         "Program: <Extra> is not in exports"},
        {"a version before the shape", "2.11.3.5", "2.10.0.0",
         "Version: Application_Version 2.10.0.0 is not one of 2.11 to 3.4, the shape written here"},
    };
    std::string problem;
    ASSERT_EQ(testing::ExportShapeDepartures(*testing::ParseXml(program, problem)),
              std::vector<std::string>{});
    for (const auto& c : cases) {
        std::string changed = program;
        const auto at = changed.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.what;
        changed.replace(at, c.from.size(), c.to);
        const auto root = testing::ParseXml(changed, problem);
        ASSERT_TRUE(root.has_value()) << c.what << ": " << problem;
        const std::vector<std::string> departures = testing::ExportShapeDepartures(*root);
        EXPECT_NE(std::find(departures.begin(), departures.end(), c.found), departures.end())
            << c.what << ":\n"
            << ::testing::PrintToString(departures);
    }
}

}  // namespace
}  // namespace kitvane
