#include "cli/demo_library.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/byte_stream.h"
#include "platform/file_system.h"

namespace kitvane::cli {
namespace {

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;

enum class Sound { Sine, Noise };

struct SampleSpec {
    std::string path;  // relative to the library root, with "/"
    Sound sound;
    double frequency;  // of the sine, or of the resonance under the noise
    double seconds;
    int bitsPerSample;  // 16 or 24
    int channels;
};

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Sample frames are generated and written in blocks of this many, so memory stays small and a stop
// request is seen soon, however long the sample.
constexpr int kFramesPerBlock = 1 << 16;

int FrameCount(const SampleSpec& spec) {
    return static_cast<int>(spec.seconds * kSampleRate);
}

std::uint32_t DataSize(const SampleSpec& spec) {
    return static_cast<std::uint32_t>(FrameCount(spec) * spec.channels * (spec.bitsPerSample / 8));
}

// The header of a PCM WAV file: "fmt " and the start of "data".
std::string WaveHeader(const SampleSpec& spec) {
    const int bytesPerSample = spec.bitsPerSample / 8;
    std::string bytes = "RIFF";
    AppendLittleEndian(bytes, 36 + DataSize(spec), 4);
    bytes += "WAVEfmt ";
    AppendLittleEndian(bytes, 16, 4);
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(spec.channels), 2);
    AppendLittleEndian(bytes, kSampleRate, 4);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(kSampleRate * spec.channels * bytesPerSample), 4);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(spec.channels * bytesPerSample), 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(spec.bitsPerSample), 2);
    bytes += "data";
    AppendLittleEndian(bytes, DataSize(spec), 4);
    return bytes;
}

std::uint64_t WaveSize(const SampleSpec& spec) {
    return WaveHeader(spec).size() + DataSize(spec);
}

// Appends the frames [first, last) of the sound, decaying so that drums sound like hits.
void AppendFrames(const SampleSpec& spec, int first, int last, std::mt19937& random, std::string& bytes) {
    const int bytesPerSample = spec.bitsPerSample / 8;
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const double decay = spec.sound == Sound::Noise ? 18.0 : 2.5;
    const double fullScale = spec.bitsPerSample == 16 ? 32767.0 : 8388607.0;
    for (int frame = first; frame < last; ++frame) {
        const double t = static_cast<double>(frame) / kSampleRate;
        const double tone = std::sin(2.0 * kPi * spec.frequency * t);
        const double raw = spec.sound == Sound::Sine ? tone : 0.7 * noise(random) + 0.3 * tone;
        const double value = 0.6 * raw * std::exp(-decay * t) * fullScale;
        const auto level = static_cast<std::int32_t>(std::lround(value));
        for (int channel = 0; channel < spec.channels; ++channel) {
            AppendLittleEndian(bytes, static_cast<std::uint32_t>(level), bytesPerSample);
        }
    }
}

// A group file: a binary container in which each sample path appears as single-byte text between
// binary bytes, the way the reader expects, plus text the reader must pass over.
std::string GroupBytes(const std::vector<std::string>& samplePaths, std::mt19937& random) {
    std::string bytes("\x00\x01KVGRP\x00\x02", 9);
    std::uniform_int_distribution<int> binary(0x80, 0xFF);
    for (const auto& path : samplePaths) {
        bytes.push_back(static_cast<char>(binary(random)));
        bytes.push_back('\0');
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(path.size()), 2);
        bytes += path;
        bytes.push_back('\0');
        // A UTF-16 copy of the name, as group files also carry, is never taken for a path.
        for (char c : std::string("sound")) {
            bytes.push_back(c);
            bytes.push_back('\0');
        }
    }
    bytes += std::string("\x00tail\x00", 6);
    return bytes;
}

struct DemoLibrary {
    std::vector<SampleSpec> samples;
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;  // group file, sample paths
    std::vector<std::string> previews;
};

double NoteFrequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// "" for the first copy of the content, " 2", " 3" ... for the others.
std::string CopySuffix(int copy) {
    return copy == 0 ? std::string() : std::to_string(copy + 1).insert(0, 1, ' ');
}

// Every copy names its sample files apart, as a real library does, so that a conversion copies each
// one instead of finding it already there beside another copy's program.
std::string WithSuffix(const std::string& fileName, const std::string& suffix) {
    const auto dot = fileName.rfind('.');
    return fileName.substr(0, dot) + suffix + fileName.substr(dot);
}

void AddDrumGroups(DemoLibrary& demo, int copy, double length) {
    const std::string suffix = CopySuffix(copy);
    const std::string drums = "Samples/Drums" + suffix + "/";
    auto hit = [&](const std::string& name, double frequency, int bits) {
        const std::string path = drums + WithSuffix(name, suffix);
        demo.samples.push_back({path, Sound::Noise, frequency, 0.25 * length, bits, 1});
        return path;
    };
    demo.groups.push_back({"Groups/Basic Kit" + suffix + ".mxgrp",
                           {hit("Kick/Kick Round.wav", 55, 16), hit("Snare/Snare Crisp.wav", 190, 16),
                            hit("Hihat/ClosedHH Tight.wav", 4000, 16), hit("Hihat/OpenHH Long.wav", 3500, 24),
                            hit("Clap/Clap Wide.wav", 1200, 16), hit("Tom/Tom Low.wav", 110, 16),
                            hit("Perc/Shaker Soft.wav", 6000, 24), hit("FX/Sweep Up.wav", 800, 24)}});
    demo.previews.push_back("Groups/.previews/Basic Kit" + suffix + ".mxgrp.ogg");

    std::vector<std::string> layered;
    for (const char* marker : {"V20", "V50", "V90", "V120"})
        layered.push_back(hit(std::string("Snare/Snare Layer ") + marker + ".wav", 200, 24));
    for (const char* marker : {"V40", "V110"})
        layered.push_back(hit(std::string("Kick/Kick Layer ") + marker + ".wav", 50, 16));
    layered.push_back(hit("Perc/Cowbell.wav", 560, 16));
    demo.groups.push_back({"Groups/Vintage/Velocity Kit" + suffix + ".mxgrp", layered});
    demo.previews.push_back("Groups/Vintage/previews/Velocity Kit" + suffix + ".mxgrp.ogg");

    demo.groups.push_back({"Groups/Vintage/Analog/Deep Kit" + suffix + ".mxgrp",
                           {hit("Kick/Kick Deep.wav", 45, 24), hit("Snare/Rim Click.wav", 900, 16)}});
    demo.groups.push_back({"Groups/Internal Sounds" + suffix + ".mxgrp", {}});
}

// The copy's suffix goes before the note, where the note reader still finds the note.
void AddInstruments(DemoLibrary& demo, int copy, double length) {
    const std::string suffix = CopySuffix(copy);
    const std::string piano = "Samples/Instruments/Keys/Soft Piano" + suffix + " Samples/";
    for (const auto& [name, midi] : std::vector<std::pair<std::string, int>>{
             {"C2", 48}, {"E2", 52}, {"G#2", 56}, {"C3 soft", 60}, {"C3 hard", 60}, {"C4", 72}}) {
        demo.samples.push_back({piano + "Soft Piano" + suffix + " " + name + ".wav", Sound::Sine,
                                NoteFrequency(midi), 0.5 * length, 24, 2});
    }
    const std::string bass = "Samples/Instruments/Bass/Sub Bass" + suffix + "/";
    for (const auto& [name, midi] :
         std::vector<std::pair<std::string, int>>{{"C1", 36}, {"G1", 43}, {"C2", 48}}) {
        demo.samples.push_back({bass + "Sub" + suffix + "_" + name + ".wav", Sound::Sine, NoteFrequency(midi),
                                0.4 * length, 16, 1});
    }
}

void AddLoops(DemoLibrary& demo, int copy, double length) {
    const std::string suffix = CopySuffix(copy);
    const std::string loops = "Samples/Loops/";
    demo.samples.push_back(
        {loops + "Drums/Beat 01" + suffix + " [120].wav", Sound::Noise, 80, 1.0 * length, 16, 2});
    demo.samples.push_back(
        {loops + "Drums/Beat 02" + suffix + " [90].wav", Sound::Noise, 70, 1.0 * length, 24, 2});
    demo.samples.push_back(
        {loops + "Melodic/Arp Line" + suffix + " [128].wav", Sound::Sine, 330, 0.8 * length, 16, 2});
    demo.samples.push_back({loops + "Texture" + suffix + ".wav", Sound::Sine, 220, 0.6 * length, 16, 1});
}

DemoLibrary Describe(int scale) {
    scale = std::max(scale, 1);
    DemoLibrary demo;
    const double length = scale;
    for (int copy = 0; copy < scale; ++copy) {
        AddDrumGroups(demo, copy, length);
        AddInstruments(demo, copy, length);
        AddLoops(demo, copy, length);
    }
    return demo;
}

// A library with the proportions of a real expansion: mostly short one-shots in kits of 16 pads (a
// quarter of the pads with four velocity layers), multisampled instruments of 12 to 24 notes, and
// tempo-named loops in category folders; about 2,300 files and 1 GiB.
constexpr int kRealKits = 48;
constexpr int kRealInstruments = 40;
constexpr int kRealLoops = 200;

void AddRealKits(DemoLibrary& demo, std::mt19937& random) {
    static const char* const kPadCategories[] = {"Kick", "Snare", "Clap",   "Closed Hat", "Open Hat", "Tom",
                                                 "Rim",  "Perc",  "Shaker", "Cymbal",     "Snap",     "Conga",
                                                 "Bass", "Vox",   "Fx",     "Noise"};
    std::uniform_real_distribution<double> seconds(0.3, 1.2);
    std::uniform_int_distribution<int> bits(0, 1);
    int taken = 0;
    for (int kit = 1; kit <= kRealKits; ++kit) {
        const std::string kitName = "Kit " + std::to_string(kit);
        std::vector<std::string> references;
        for (int pad = 0; pad < 16; ++pad) {
            const std::string category = kPadCategories[pad];
            const std::string stem =
                "Samples/Drums/" + category + "/" + category + " " + std::to_string(++taken);
            const double length = seconds(random);
            const int bitsPerSample = bits(random) ? 24 : 16;
            const double frequency = 50.0 + 40.0 * pad;
            if (pad % 4 != 0) {
                references.push_back(stem + ".wav");
                demo.samples.push_back(
                    {references.back(), Sound::Noise, frequency, length, bitsPerSample, 2});
                continue;
            }
            for (const char* marker : {" V32", " V64", " V96", " V127"}) {
                references.push_back(stem + marker + ".wav");
                demo.samples.push_back(
                    {references.back(), Sound::Noise, frequency, length, bitsPerSample, 2});
            }
        }
        demo.groups.push_back({"Groups/" + kitName + ".mxgrp", references});
        demo.previews.push_back("Groups/.previews/" + kitName + ".mxgrp.ogg");
    }
}

void AddRealInstruments(DemoLibrary& demo, std::mt19937& random) {
    static const char* const kCategories[] = {"Keys", "Bass", "Pads", "Leads", "Strings"};
    static const char* const kNoteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    std::uniform_int_distribution<int> noteCount(12, 24);
    std::uniform_real_distribution<double> seconds(2.0, 4.0);
    for (int instrument = 1; instrument <= kRealInstruments; ++instrument) {
        const std::string category = kCategories[instrument % 5];
        const std::string name = category + " " + std::to_string(instrument);
        const std::string folder = "Samples/Instruments/" + category + "/" + name + " Samples/";
        const int notes = noteCount(random);
        for (int note = 0; note < notes; ++note) {
            const int midi = 36 + 3 * note;
            const std::string noteName = kNoteNames[midi % 12] + std::to_string(midi / 12 - 2);
            demo.samples.push_back({folder + name + " " + noteName + ".wav", Sound::Sine, NoteFrequency(midi),
                                    seconds(random), 24, 2});
        }
    }
}

void AddRealLoops(DemoLibrary& demo, std::mt19937& random) {
    static const char* const kCategories[] = {"Drums", "Bass", "Melodic", "Fx"};
    static const int kTempos[] = {85, 90, 100, 120, 124, 128, 140};
    std::uniform_real_distribution<double> seconds(2.0, 8.0);
    for (int loop = 1; loop <= kRealLoops; ++loop) {
        const std::string category = kCategories[loop % 4];
        const std::string tempo = std::to_string(kTempos[loop % 7]);
        const Sound sound = category == "Drums" ? Sound::Noise : Sound::Sine;
        demo.samples.push_back({"Samples/Loops/" + category + "/" + category + " Loop " +
                                    std::to_string(loop) + " [" + tempo + "].wav",
                                sound, 60.0 + loop, seconds(random), 24, 2});
    }
}

DemoLibrary DescribeRealShaped() {
    std::mt19937 random(20261212);
    DemoLibrary demo;
    AddRealKits(demo, random);
    AddRealInstruments(demo, random);
    AddRealLoops(demo, random);
    return demo;
}

DemoLibrary Describe(const DemoShape& shape) {
    return shape.realExpansion ? DescribeRealShaped() : Describe(shape.scale);
}

constexpr const char* kPreviewContent = "OggS preview stand-in\n";

std::string PathText(const std::string& folder, const std::string& relative) {
    std::string path = folder + "\\" + relative;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

// Hands over a file's content block by block: false once there is no more.
using ContentSource = std::function<bool(std::string& block)>;

ContentSource WholeContent(std::string bytes) {
    return [bytes = std::move(bytes), given = false](std::string& block) mutable {
        if (given)
            return false;
        block = std::move(bytes);
        given = true;
        return true;
    };
}

ContentSource WaveContent(const SampleSpec& spec, std::mt19937& random) {
    return [&spec, &random, next = -1](std::string& block) mutable {
        if (next < 0) {
            block = WaveHeader(spec);
            next = 0;
            return true;
        }
        if (next >= FrameCount(spec))
            return false;
        const int last = std::min(FrameCount(spec), next + kFramesPerBlock);
        AppendFrames(spec, next, last, random, block);
        next = last;
        return true;
    };
}

// Writes the files of a demo below its root and remembers each file and folder it makes, so that an
// unfinished demo can be taken away again.
class DemoWriter {
public:
    DemoWriter(std::string root, const StopCheck& stopRequested)
        : root_(std::move(root)), stopRequested_(stopRequested) {}

    // One file, replacing one of the same name; it appears under its name only once complete.
    DemoOutcome WriteFile(const std::string& relative, const ContentSource& content) {
        const std::string path = PathText(root_, relative);
        if (!MakeFoldersFor(path))
            return DemoOutcome::Failed;
        const bool existed = platform::StatusOf(path).exists;
        const auto out = platform::CreateOutputFile(path);
        if (out == nullptr)
            return DemoOutcome::Failed;
        for (std::string block;; block.clear()) {
            if (stopRequested_ && stopRequested_(bytesWritten_))
                return DemoOutcome::Stopped;
            if (!content(block))
                break;
            if (!out->Write(block.data(), block.size()))
                return DemoOutcome::Failed;
            bytesWritten_ += block.size();
        }
        if (!out->Commit(platform::OutputFile::Mode::Replace))
            return DemoOutcome::Failed;
        if (!existed)
            madeFiles_.push_back(path);
        return DemoOutcome::Written;
    }

    // Removes the files made, then the folders made, the deepest first; a folder that something else
    // has filled in the meantime stays.
    void RemoveWhatWasMade() const {
        for (const auto& file : madeFiles_)
            platform::RemoveFile(file);
        for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
            platform::RemoveEmptyFolder(*folder);
    }

private:
    bool MakeFoldersFor(const std::string& path) {
        for (auto slash = path.find('\\', 1); slash != std::string::npos;
             slash = path.find('\\', slash + 1)) {
            const std::string folder = path.substr(0, slash);
            if (!platform::StatusOf(folder).exists && platform::CreateFolder(folder))
                madeFolders_.push_back(folder);
        }
        return platform::StatusOf(path.substr(0, path.rfind('\\'))).isDirectory;
    }

    std::string root_;
    const StopCheck& stopRequested_;
    std::uint64_t bytesWritten_ = 0;
    std::vector<std::string> madeFiles_;
    std::vector<std::string> madeFolders_;
};

DemoOutcome WriteAll(const DemoLibrary& demo, DemoWriter& writer) {
    std::mt19937 random(20261211);
    for (const auto& sample : demo.samples) {
        if (const auto outcome = writer.WriteFile(sample.path, WaveContent(sample, random));
            outcome != DemoOutcome::Written)
            return outcome;
    }
    for (const auto& [group, samples] : demo.groups) {
        if (const auto outcome = writer.WriteFile(group, WholeContent(GroupBytes(samples, random)));
            outcome != DemoOutcome::Written)
            return outcome;
    }
    // Previews are copied as they stand; these are stand-ins, not playable audio.
    for (const auto& preview : demo.previews) {
        if (const auto outcome = writer.WriteFile(preview, WholeContent(kPreviewContent));
            outcome != DemoOutcome::Written)
            return outcome;
    }
    return DemoOutcome::Written;
}

}  // namespace

std::uint64_t DemoLibrarySize(const DemoShape& shape) {
    const DemoLibrary demo = Describe(shape);
    std::mt19937 random;  // the group files' binary bytes vary with it; their length does not
    std::uint64_t size = 0;
    for (const auto& sample : demo.samples)
        size += WaveSize(sample);
    for (const auto& [group, samples] : demo.groups)
        size += GroupBytes(samples, random).size();
    return size + demo.previews.size() * std::string_view(kPreviewContent).size();
}

DemoOutcome WriteDemoLibrary(const std::string& folder, const DemoShape& shape,
                             const StopCheck& stopRequested) {
    const DemoLibrary demo = Describe(shape);
    DemoWriter writer(folder, stopRequested);
    const DemoOutcome outcome = WriteAll(demo, writer);
    if (outcome != DemoOutcome::Written)
        writer.RemoveWhatWasMade();
    return outcome;
}

}  // namespace kitvane::cli
