#include "batch/keygroup_stage.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "app/conversion_options.h"
#include "convert/path_operations.h"
#include "convert/program_template.h"
#include "convert/sample_copy.h"
#include "naming/instrument_ordering.h"
#include "platform/file_system.h"

namespace kitvane {
namespace {

constexpr int kLayerSlots = 4;    // velocity layers of one keygroup: the sample and three extra layers
constexpr int kPreviewNote = 49;  // the preview is the sample whose root lies nearest to this note

struct KeygroupTemplates {
    std::string program;
    std::string block;
};

// What every keygroup of the stage needs besides its instrument.
struct StageInputs {
    std::string sourceFolder;  // the library's instruments folder
    std::string outputRoot;
    std::string volumeText;
    std::string releaseText;
    TraceSink trace;  // where the WAV reader's trace of the samples goes
};

// Both templates, each tested for presence before it is read; a missing one is shown and gives none.
std::optional<KeygroupTemplates> ReadKeygroupTemplates(const std::string& folder, WindowServices& ui) {
    std::optional<std::string> program = ReadRequiredTemplate(folder, kKeygroupTemplate, ui);
    if (!program)
        return std::nullopt;
    std::optional<std::string> block = ReadRequiredTemplate(folder, kKeyLoopTemplate, ui);
    if (!block)
        return std::nullopt;
    return KeygroupTemplates{std::move(*program), std::move(*block)};
}

// The velocity range of each layer slot. Without extra layers every slot spans 0..127; with n extra
// layers the range is split into steps of 128 / (n + 1), rounded, and cut at 127, n counting only the
// layers that are placed, so that the slots always reach 127.
struct VelocityRanges {
    int start[kLayerSlots];
    int end[kLayerSlots];
};

VelocityRanges VelocityRangesFor(std::size_t placedExtraLayers) {
    VelocityRanges ranges{};
    if (placedExtraLayers == 0) {
        std::fill(std::begin(ranges.end), std::end(ranges.end), 127);
        return ranges;
    }
    const int step = static_cast<int>(128.0 / static_cast<double>(placedExtraLayers + 1) + 0.5);
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        ranges.end[slot] = std::min(step * (slot + 1), 127);
        ranges.start[slot] = slot == 0 ? 0 : std::min(ranges.end[slot - 1] + 1, 127);
    }
    return ranges;
}

std::string KeygroupFolder(const std::string& outputRoot, const std::string& category) {
    return outputRoot + "\\Keygroups\\" + (category.empty() ? "" : category + "\\");
}

// Copies keygroup k's sample and its first three extra layers, and fills one block of the entry
// template for it: every slot that holds a sample plays at the keygroup's root note. Returns the block;
// firstSampleName gets the name of the keygroup's own sample.
std::string FillKeygroupBlock(const std::string& blockTemplate, const InstrumentEntry& entry, std::size_t k,
                              const StageInputs& inputs, std::string& firstSampleName) {
    std::string block = blockTemplate;
    ReplacePlaceholder(block, "%%INSTNUMBER%%", std::to_string(k + 1));

    const auto& layers = entry.Layers[k];
    const std::size_t placedExtraLayers = std::min<std::size_t>(layers.size(), kLayerSlots - 1);
    KeygroupSample samples[kLayerSlots];
    const std::string folder = KeygroupFolder(inputs.outputRoot, entry.Category);
    samples[0] = CopyKeygroupSample(entry.SamplePaths[k], inputs.sourceFolder, folder, inputs.trace);
    for (std::size_t slot = 1; slot <= placedExtraLayers; ++slot)
        samples[slot] = CopyKeygroupSample(layers[slot - 1], inputs.sourceFolder, folder, inputs.trace);
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        ReplacePlaceholder(block, NumberedPlaceholder("%%SAMPLENAME", slot + 1), samples[slot].name);
    }
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        ReplacePlaceholder(block, NumberedPlaceholder("%%SLICEEND", slot + 1), samples[slot].frameCount);
    }

    const VelocityRanges velocities = VelocityRangesFor(placedExtraLayers);
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        ReplacePlaceholder(block, NumberedPlaceholder("%%VELSTART", slot + 1),
                           std::to_string(velocities.start[slot]));
        ReplacePlaceholder(block, NumberedPlaceholder("%%VELEND", slot + 1),
                           std::to_string(velocities.end[slot]));
    }

    ReplacePlaceholder(block, "%%LOWNOTE%%", std::to_string(entry.LowNotes[k]));
    ReplacePlaceholder(block, "%%HIGHNOTE%%", std::to_string(entry.HighNotes[k]));
    ReplacePlaceholder(block, "%%VOLRELEASE%%", inputs.releaseText);
    const std::string rootNote = std::to_string(entry.RootNotes[k]);
    for (std::size_t slot = 0; slot < kLayerSlots; ++slot) {
        ReplacePlaceholder(block, NumberedPlaceholder("##ROOTNOTE", static_cast<int>(slot) + 1),
                           slot <= placedExtraLayers ? rootNote : "0");
    }
    ReplacePlaceholder(block, "%%VOLUME%%", inputs.volumeText);

    firstSampleName = samples[0].name;
    return block;
}

// The keygroup whose root lies nearest to the preview note supplies the preview: its last extra
// layer when it has any, else its own sample. The first of equally near keygroups wins.
class PreviewChoice {
public:
    void Consider(const InstrumentEntry& entry, std::size_t k) {
        const int distance = std::abs(static_cast<int>(entry.RootNotes[k]) - kPreviewNote);
        if (distance >= bestDistance_)
            return;
        bestDistance_ = distance;
        relativePath_ = entry.Layers[k].empty() ? entry.SamplePaths[k] : entry.Layers[k].back();
    }
    bool Chosen() const { return relativePath_.has_value(); }
    const std::string& RelativePath() const { return *relativePath_; }

private:
    int bestDistance_ = 10000;
    std::optional<std::string> relativePath_;
};

// One instrument's program and preview. Returns false when a stop was requested before a keygroup:
// the instrument then gets no program and no preview.
bool BuildKeygroupProgram(const InstrumentEntry& entry, const KeygroupTemplates& templates,
                          const StageInputs& inputs, WindowServices& ui) {
    std::string program = templates.program;
    ReplacePlaceholder(program, "%%PROGNAME%%", entry.Name);
    ui.AppendLog("Keygroup: " + entry.Name);
    ui.ClearWavesList();

    const std::string programPath = KeygroupFolder(inputs.outputRoot, entry.Category) + entry.Name + ".xpm";
    const std::string previewPath =
        FolderOfPath(programPath) + "\\[Previews]\\" + FileNameOfPath(programPath) + ".wav";

    std::string blocks;
    PreviewChoice preview;
    for (std::size_t k = 0; k < entry.SampleCount(); ++k) {
        if (ui.StopRequested())
            return false;
        if (k == 0)  // the folder of the program and its samples, made once its first sample is copied
            CreateFolders(FolderOfPath(programPath), PathKind::Folder);
        std::string sampleName;
        blocks += FillKeygroupBlock(templates.block, entry, k, inputs, sampleName);
        preview.Consider(entry, k);
        ui.AddWavesRow(sampleName + "  Note:" + std::to_string(entry.RootNotes[k]));
    }

    ReplacePlaceholder(program, "%%NUMKEYGROUP%%", std::to_string(entry.SampleCount()));
    ReplaceAll(program, "%%INSTRUMENTLOOP%%", blocks);  // the blocks are filled already
    WriteProgramFile(programPath, program, ui);

    if (preview.Chosen()) {
        CreateFolders(previewPath, PathKind::File);
        platform::CopyFileNoReplace(inputs.sourceFolder + "\\" + preview.RelativePath(), previewPath);
        ui.AddWavesRow("[Previews]");
    }
    return true;
}

}  // namespace

KeygroupSample CopyKeygroupSample(const std::string& relativePath, const std::string& sourceFolder,
                                  const std::string& keygroupFolder, const TraceSink& trace) {
    const PlacedSample placed =
        PlaceSample(sourceFolder + "\\" + relativePath, keygroupFolder, FileNameOfPath(relativePath), trace);
    return {StripExtension(placed.fileName), std::to_string(placed.frames)};
}

StageOutcome RunKeygroupStage(LibraryModel& library, WindowServices& ui, const std::string& libraryPath,
                              const std::string& outputRoot, const std::string& executableFolder,
                              int keygroupVolume, int noteRelease) {
    ui.AddMainRow("****Keygroups****");
    ui.SetStatus("Creating Keygroups....");
    const auto templates = ReadKeygroupTemplates(executableFolder, ui);
    if (!templates)
        return StageOutcome::EndedRun;

    const StageInputs inputs{libraryPath + "\\Samples\\Instruments", outputRoot, VolumeText(keygroupVolume),
                             ReleaseText(noteRelease), [&ui](const std::string& line) { ui.Trace(line); }};
    auto& instruments = library.InstrumentList;
    ui.SetProgressRange(static_cast<int>(instruments.size()));
    for (std::size_t i = 0; i < instruments.size(); ++i) {
        if (ui.StopRequested())
            return StageOutcome::EndedRun;
        ui.SetProgressPosition(static_cast<int>(i));
        OrderInstrumentSamples(instruments, static_cast<int>(i));
        if (instruments[i].SampleCount() == 0)
            continue;
        if (!BuildKeygroupProgram(instruments[i], *templates, inputs, ui))
            return StageOutcome::EndedRun;
        ui.PumpMessages();
    }
    return StageOutcome::RanToEnd;
}

}  // namespace kitvane
