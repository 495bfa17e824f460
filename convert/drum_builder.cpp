#include "convert/drum_builder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/conversion_options.h"
#include "convert/output_names.h"
#include "convert/pad_colors.h"
#include "convert/path_operations.h"
#include "convert/program_template.h"
#include "convert/sample_copy.h"
#include "groups/group_reader.h"
#include "groups/pad_assembly.h"
#include "groups/pad_table.h"

namespace kitvane {
namespace {

constexpr const char* kStageHeader = "****Drum Kits****";
constexpr std::size_t kMostBuiltPads = 64;
constexpr int kPadsPerProgram = 128;
constexpr int kLayers = 4;
// Filler blocks play at full volume whatever the kit volume is.
constexpr const char* kFillerVolume = "1.000000";

struct VelocityRange {
    const char* start;
    const char* end;
};
using VelocityRanges = std::array<VelocityRange, kLayers>;
constexpr VelocityRanges kWholeRange{{{"0", "127"}, {"0", "127"}, {"0", "127"}, {"0", "127"}}};
constexpr VelocityRanges kVelocityBands{{{"0", "32"}, {"33", "64"}, {"65", "96"}, {"97", "127"}}};

// The texts of one stage: the whole program and one instrument block as read, and the block of an
// unused pad, filled once.
struct DrumTemplates {
    std::string program;
    std::string block;
    std::string filler;
};

// Text that every program of a stage builds in again: its megabyte of blocks and the finished program
// reuse the memory of the program before instead of taking fresh memory each time.
struct ProgramBuffers {
    std::string blocks;
    std::string text;
};

// Where one group's samples come from and go, the volume of its pads, and where the WAV reader's trace
// of its samples goes.
struct PadTarget {
    const std::string& libraryPath;
    const std::string& programFolder;
    std::string volume;
    TraceSink trace;
};

enum class GroupOutcome { NoPads, Written, Stopped };

void SetLayerSample(std::string& block, int layer, const std::string& sampleName,
                    const std::string& frameCount) {
    ReplacePlaceholder(block, NumberedPlaceholder("%%SAMPLENAME", layer), sampleName);
    ReplaceAll(block, NumberedPlaceholder("%%SLICEEND", layer), frameCount);
}

// Layers firstLayer to 4 play nothing: no sample name, no frames.
void ClearLayers(std::string& block, int firstLayer) {
    for (int layer = firstLayer; layer <= kLayers; ++layer)
        ReplacePlaceholder(block, NumberedPlaceholder("%%SAMPLENAME", layer), "");
    for (int layer = firstLayer; layer <= kLayers; ++layer)
        ReplaceAll(block, NumberedPlaceholder("%%SLICEEND", layer), "0");
}

void SetVelocities(std::string& block, const VelocityRanges& ranges) {
    for (int layer = 1; layer <= kLayers; ++layer) {
        ReplaceAll(block, NumberedPlaceholder("%%VELSTART", layer), ranges[layer - 1].start);
    }
    for (int layer = 1; layer <= kLayers; ++layer) {
        ReplaceAll(block, NumberedPlaceholder("%%VELEND", layer), ranges[layer - 1].end);
    }
}

std::string FillerBlock(const std::string& blockTemplate) {
    std::string filler = blockTemplate;
    ClearLayers(filler, 1);
    SetVelocities(filler, kWholeRange);
    ReplaceAll(filler, "%%VOLUME%%", kFillerVolume);
    return filler;
}

std::optional<DrumTemplates> ReadDrumTemplates(const std::string& folder, WindowServices& ui) {
    std::optional<std::string> program = ReadRequiredTemplate(folder, kDrumTemplate, ui);
    if (!program)
        return std::nullopt;
    std::optional<std::string> block = ReadRequiredTemplate(folder, kDrumLoopTemplate, ui);
    if (!block)
        return std::nullopt;
    return DrumTemplates{std::move(*program), *block, FillerBlock(*block)};
}

// Pad padNumber from one row of the assembled table: copies its samples, colours it in the program and
// returns its block. A pad with one layer plays it over the whole velocity range; with several, each
// band's sample plays its band, and an empty slot repeats the layer below it.
std::string PadBlock(const DrumTemplates& templates, const PadTable& table, std::size_t row, int padNumber,
                     const PadTarget& target, std::string& program) {
    std::string block = templates.block;
    ReplaceAll(block, "%%INSTNUMBER%%", std::to_string(padNumber));
    std::string sampleName;
    std::string frameCount;
    const std::string firstFile = CopySample(target.libraryPath, table.layer1[row], target.programFolder,
                                             sampleName, frameCount, target.trace);
    ReplaceAll(program, ColorPlaceholder(padNumber), std::to_string(PadColorOf(firstFile)));
    SetLayerSample(block, 1, sampleName, frameCount);
    if (table.layer2[row].empty()) {
        ClearLayers(block, 2);
        SetVelocities(block, kWholeRange);
    } else {
        SetVelocities(block, kVelocityBands);
        const std::array<const std::string*, kLayers - 1> upperSlots{&table.layer2[row], &table.layer3[row],
                                                                     &table.layer4[row]};
        for (int layer = 2; layer <= kLayers; ++layer) {
            CopySample(target.libraryPath, *upperSlots[layer - 2], target.programFolder, sampleName,
                       frameCount, target.trace);
            SetLayerSample(block, layer, sampleName, frameCount);
        }
    }
    ReplaceAll(block, "%%VOLUME%%", target.volume);
    return block;
}

GroupOutcome BuildGroupProgram(const Session& session, WindowServices& ui, const DrumTemplates& templates,
                               const std::string& outputRoot, const std::string& entry,
                               ProgramBuffers& buffers) {
    const LibraryModel& library = session.library;
    const DrumOutputNames names = NamesForGroup(library, session.options.KitFolder, outputRoot, entry);
    std::string program = templates.program;
    ReplacePlaceholder(program, "%%PROGNAME%%", names.ProgramName);

    PadTable table;
    ReadGroupFile(names.GroupFilePath, library.LibraryPath, table);
    AssemblePads(table);
    const std::size_t padCount = std::min(table.RowCount(), kMostBuiltPads);
    if (padCount == 0)
        return GroupOutcome::NoPads;

    CreateFolders(names.ProgramFolder, PathKind::Folder);
    const PadTarget target{library.LibraryPath, names.ProgramFolder, VolumeText(session.options.KitVolume),
                           [&ui](const std::string& line) { ui.Trace(line); }};
    std::string& blocks = buffers.blocks;
    blocks.clear();
    blocks.reserve(kPadsPerProgram * templates.filler.size());
    for (std::size_t row = 0; row < padCount; ++row) {
        // Seen before any sample of the pad is copied; this group's program is then never written.
        if (ui.StopRequested())
            return GroupOutcome::Stopped;
        blocks += PadBlock(templates, table, row, static_cast<int>(row) + 1, target, program);
        ui.AddWavesRow(table.layer1[row]);
    }
    for (int pad = static_cast<int>(padCount) + 1; pad <= kPadsPerProgram; ++pad) {
        ReplaceAll(program, ColorPlaceholder(pad), "0");
        AppendReplaced(blocks, templates.filler, "%%INSTNUMBER%%", std::to_string(pad));
    }
    // The program's own placeholders are all filled before the blocks go in, so none is looked for there.
    buffers.text.clear();
    AppendReplaced(buffers.text, program, "%%INSTRUMENTLOOP%%", blocks);
    WriteProgramFile(names.ProgramFile, buffers.text, ui);
    CopyPreview(names.PreviewSource, names.PreviewDestination, ui);
    return GroupOutcome::Written;
}

}  // namespace

void BuildDrumPrograms(Session& session, WindowServices& ui, const std::string& outputRoot) {
    const std::optional<DrumTemplates> templates = ReadDrumTemplates(session.TemplateFolder, ui);
    if (!templates)
        return;
    ui.ClearMainList();
    ui.ClearWavesList();
    ui.AddMainRow(kStageHeader);
    // The list as the run began: the window may handle events between programs, and nothing they do
    // changes which groups this run converts.
    const std::vector<std::string> groups = session.library.GroupList;
    ui.SetProgressRange(static_cast<int>(groups.size()));
    ProgramBuffers buffers;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        ui.SetProgressPosition(static_cast<int>(i));
        ui.AppendLog(groups[i]);
        ui.ClearWavesList();
        const GroupOutcome outcome =
            BuildGroupProgram(session, ui, *templates, outputRoot, groups[i], buffers);
        if (outcome == GroupOutcome::Stopped)
            return;
        if (outcome == GroupOutcome::NoPads)
            continue;
        if (ui.StopRequested())
            return;
        ui.PumpMessages();
    }
}

}  // namespace kitvane
