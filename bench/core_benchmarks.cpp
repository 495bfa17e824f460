// Microbenchmarks of the work a conversion repeats for every group, sample and instrument. Each input
// is generated here, with a fixed seed, so runs compare.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/session.h"
#include "cli/console_services.h"
#include "convert/drum_builder.h"
#include "groups/group_reader.h"
#include "library/library_model.h"
#include "naming/instrument_ordering.h"
#include "naming/note_names.h"
#include "platform/path_text.h"
#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::TempFolder;

// Group-file bytes of about size bytes: binary noise with one sample path, framed by binary bytes,
// every kilobyte or so, the way paths sit inside a real group file.
std::string LargeGroupBytes(std::size_t size) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    bytes.reserve(size + 128);
    for (int reference = 0; bytes.size() < size; ++reference) {
        for (int i = 0; i < 1024; ++i)
            bytes.push_back(static_cast<char>(byte(random)));
        bytes += '\0';
        bytes += "Samples/Drums/Kick/Kick " + std::to_string(reference) + " V" +
                 std::to_string(reference % 127) + ".wav";
        bytes += '\0';
    }
    return bytes;
}

void BM_ReadGroupFile(benchmark::State& state) {
    const TempFolder temp;
    const std::string bytes = LargeGroupBytes(static_cast<std::size_t>(state.range(0)));
    const std::string path = temp.WriteFile("Groups/Large Kit.mxgrp", bytes);
    std::size_t rows = 0;
    for (auto _ : state) {
        PadTable table;
        ReadGroupFile(path, temp.Path(), table);
        rows = table.RowCount();
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["references"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReadGroupFile)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// Names with a separated note, a note number, a bare note, and none at all (every pattern tried).
const std::vector<std::string> kSampleNames{
    "Samples\\Instruments\\Keys\\Grand Piano\\Grand Piano C3 soft.wav",
    "Samples\\Instruments\\Pads\\Warm Pad_F#1.wav",
    "Samples\\Instruments\\Bass\\Sub-Bb2 long.wav",
    "Samples\\Instruments\\Lead\\Lead 60.wav",
    "Samples\\Instruments\\Bells\\BellG4.wav",
    "Samples\\Instruments\\Texture\\Rain on the window.wav",
};

void BM_NoteNumberFromName(benchmark::State& state) {
    const std::string& name = kSampleNames[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(NoteNumberFromName(name));
    state.SetLabel(platform::ForDisplay(name.substr(name.find_last_of('\\') + 1)));
}
BENCHMARK(BM_NoteNumberFromName)->DenseRange(0, static_cast<int>(kSampleNames.size()) - 1);

// An instrument of 500 samples in file-name order: 61 notes, each in several velocity layers and
// round robins, so ordering sorts, folds equal roots and splits the keyboard.
InstrumentEntry LargeInstrument() {
    static const char* const kNotes[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        const int note = (i * 37) % 61;
        names.push_back("Grand Piano\\Grand Piano " + std::string(kNotes[note % 12]) +
                        std::to_string(1 + note / 12) + " V" + std::to_string(1 + i % 4) + " RR" +
                        std::to_string(i % 3) + ".wav");
    }
    std::sort(names.begin(), names.end());
    InstrumentEntry entry;
    entry.Name = "Grand Piano";
    for (const auto& name : names)
        entry.AddSample(name);
    return entry;
}

void BM_OrderInstrument(benchmark::State& state) {
    const InstrumentEntry unordered = LargeInstrument();
    std::size_t keygroups = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<InstrumentEntry> list{unordered};
        state.ResumeTiming();
        OrderInstrumentSamples(list, 0);
        keygroups = list[0].SampleCount();
        benchmark::DoNotOptimize(list);
    }
    state.counters["keygroups"] = static_cast<double>(keygroups);
}
BENCHMARK(BM_OrderInstrument)->Unit(benchmark::kMicrosecond);

// A console that keeps its lists and prints nothing.
struct QuietConsole {
    std::ostringstream out;
    std::ostringstream err;
    cli::ConsoleServices services{out, err};
};

// A library of one group of pads pads: up to 48 with one sample, the rest with four velocity layers
// each. At 64 the program is built from its full 64 pads; below, fillers make up the 128.
std::string WriteKit(const TempFolder& temp, int pads) {
    const std::string wave = testing::RiffFile(testing::Chunk("fmt ", testing::FormatContent(1, 44100, 16)) +
                                               testing::Chunk("data", std::string(8820, '\x01')));
    std::string group("\x01KVGRP\x00", 7);
    auto reference = [&](const std::string& path) {
        temp.WriteFile(path, wave);
        group += '\0' + path + '\0';
    };
    for (int pad = 0; pad < pads; ++pad) {
        if (pad < 48) {
            reference("Samples/Drums/Perc/Hit " + std::to_string(pad) + ".wav");
            continue;
        }
        for (const char* velocity : {"V20", "V50", "V90", "V120"})
            reference("Samples/Drums/Snare/Snare " + std::to_string(pad) + " " + velocity + ".wav");
    }
    temp.WriteFile("Groups/Kit.mxgrp", group);
    return "Kit.mxgrp";
}

// Whole 128-pad programs, eight to a stage: the group read, its pads assembled, every sample measured
// (the copies are there already after the first round), the blocks filled and the program written.
void BM_FillDrumProgram(benchmark::State& state) {
    constexpr int kPrograms = 8;
    const TempFolder temp;
    Session session;
    session.library.LibraryPath = temp.Path();
    session.library.GroupList.assign(kPrograms, WriteKit(temp, static_cast<int>(state.range(0))));
    session.TemplateFolder = platform::FromNativePath(KITVANE_TEMPLATE_DIR);
    const std::string outputRoot = temp.MakeFolder("Out");
    for (auto _ : state) {
        QuietConsole console;
        BuildDrumPrograms(session, console.services, outputRoot);
    }
    state.SetItemsProcessed(state.iterations() * kPrograms);
}
BENCHMARK(BM_FillDrumProgram)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kitvane
