// Samples that vanish between the scan and the copy: another program deletes them while a run drains
// the message queue. The run finishes as on a good day; what vanished is neither copied nor measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "batch/process_all.h"
#include "cli/demo_library.h"
#include "library/library_loader.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xml_check.h"

namespace kitvane {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    const fs::path root(platform::ToNativePath(folder));
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory())
            files.insert(fs::relative(entry.path(), root).generic_string());
    }
    return files;
}

// The slice ends of every filled layer of a program: a vanished sample has 0.
std::vector<std::string> SliceEndsOf(const std::string& program) {
    std::string problem;
    const auto root = testing::ParseXml(testing::ReadFileBytes(program), problem);
    std::vector<std::string> ends;
    if (!root)
        return {"not well-formed: " + problem};
    for (const auto* instrument : root->Child("Program")->Child("Instruments")->Children("Instrument")) {
        for (const auto* layer : instrument->Child("Layers")->Children("Layer")) {
            if (!layer->Child("SampleName")->text.empty())
                ends.push_back(layer->Child("SliceEnd")->text);
        }
    }
    return ends;
}

TEST(VanishingSamples, ARunGoesOnWhenSamplesVanishBetweenScanAndCopy) {
    testing::TempFolder temp;
    const std::string library = temp.PathOf("Kitvane Demo Library");
    ASSERT_EQ(cli::WriteDemoLibrary(library, {}), cli::DemoOutcome::Written);
    Session session;
    session.TemplateFolder = platform::ExecutableFolder();
    testing::RecordingServices ui;
    LoadLibrary(session, ui, library);
    session.library.OutputFolder = temp.PathOf("Out");

    // After the first drum program every drum sample goes; after the first loop the other loops and
    // every instrument sample go, long after the scan that listed them.
    const auto remove = [&](const char* relative) {
        fs::remove_all(platform::ToNativePath(library + "\\" + relative));
    };
    ui.onPump = [&](int) {
        const std::string last = ui.TextsOf("log").back();
        if (last == "Basic Kit.mxgrp")
            remove("Samples\\Drums");
        if (last == "Beat 01 [120].wav > 120 BPM") {
            for (const char* loop : {"Samples\\Loops\\Drums\\Beat 02 [90].wav", "Samples\\Loops\\Melodic",
                                     "Samples\\Loops\\Texture.wav"})
                remove(loop);
            remove("Samples\\Instruments");
        }
    };

    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);

    EXPECT_EQ(ui.TextsOf("log"),
              (std::vector<std::string>{
                  "Basic Kit.mxgrp", "Internal Sounds.mxgrp", "Vintage\\Analog\\Deep Kit.mxgrp",
                  "Vintage\\Velocity Kit.mxgrp", "\\Samples\\Loops\\*.* -> Loops\\*.*",
                  // Loops that vanished before they could be tagged say so.
                  "Beat 01 [120].wav > 120 BPM", "Beat 02 [90].wav NO BMP", "Arp Line [128].wav NO BMP",
                  "Texture.wav NO BMP", "Keygroup: Sub Bass", "Keygroup: Soft Piano", "****FINISHED****"}));
    EXPECT_TRUE(ui.TextsOf("fileError").empty());
    const std::string root = temp.PathOf("Out\\Kitvane Demo");
    EXPECT_EQ(FilesBelow(root),
              (std::set<std::string>{
                  "Kits/Basic Kit.xpm", "Kits/[Previews]/Basic Kit.xpm.ogg", "Kits/Kick Round.wav",
                  "Kits/Snare Crisp.wav", "Kits/ClosedHH Tight.wav", "Kits/OpenHH Long.wav",
                  "Kits/Clap Wide.wav", "Kits/Tom Low.wav", "Kits/Shaker Soft.wav", "Kits/Sweep Up.wav",
                  "Vintage/Analog/Deep Kit.xpm", "Vintage/Velocity Kit.xpm",
                  "Vintage/[Previews]/Velocity Kit.xpm.ogg", "Loops/Drums/Beat 01 [120].wav",
                  "Keygroups/Bass/Sub Bass.xpm", "Keygroups/Keys/Soft Piano.xpm"}));
    for (const char* program : {"Vintage\\Analog\\Deep Kit.xpm", "Vintage\\Velocity Kit.xpm",
                                "Keygroups\\Bass\\Sub Bass.xpm", "Keygroups\\Keys\\Soft Piano.xpm"}) {
        const std::vector<std::string> ends = SliceEndsOf(root + "\\" + program);
        EXPECT_FALSE(ends.empty()) << program;
        EXPECT_EQ(std::count(ends.begin(), ends.end(), "0"), static_cast<long>(ends.size())) << program;
    }
}

}  // namespace
}  // namespace kitvane
