#include "app/dialog_template.h"

namespace kitvane {
namespace {

using K = ControlKind;
namespace c = control;

constexpr ControlSpec kControls[] = {
    {c::kLibraryHeading, K::Heading, {7, 7, 354, 8}, "Drag And Drop SINGLE Maschine Expansion Library"},
    {c::kNone, K::Text, {7, 22, 200, 8}, "Example: C:\\users\\public\\Documents\\Dark Pressure Library"},
    {c::kLibraryPath, K::Edit, {7, 38, 299, 14}, ""},
    {c::kLibraryBrowse, K::Button, {309, 38, 54, 14}, "Browse"},
    {c::kNone, K::Text, {7, 59, 43, 8}, "Library Name"},
    {c::kLibraryName, K::Edit, {56, 57, 120, 14}, ""},
    {c::kShowKits, K::FirstRadio, {7, 79, 48, 10}, "Kits"},
    {c::kShowInstruments, K::Radio, {61, 79, 81, 10}, "Instruments"},
    {c::kMainList, K::ListBox, {7, 95, 151, 150}, ""},
    {c::kNone, K::Text, {163, 81, 198, 8}, "Waves in the Group"},
    {c::kWavesList, K::ListBox, {163, 96, 199, 149}, ""},
    {c::kStatus, K::ReadOnlyEdit, {7, 246, 356, 14}, ""},
    {c::kOptionsHeading, K::Heading, {8, 265, 355, 8}, "Options"},
    {c::kBuildKit, K::CheckBox, {7, 279, 81, 10}, "Build AKAI Drum Kits"},
    {c::kCreateKeygroups, K::CheckBox, {163, 278, 198, 10}, "Build AKAI Keygroups from Instruments *"},
    {c::kNone, K::Text, {7, 294, 34, 8}, "Kit Volume"},
    {c::kKitVolume, K::DropDown, {43, 292, 57, 59}, ""},
    {c::kNone, K::Text, {167, 294, 56, 8}, "Keygroup Volume"},
    {c::kKeygroupVolume, K::DropDown, {227, 292, 57, 59}, ""},
    {c::kNone, K::Text, {293, 294, 65, 8}, "Recommended 80%"},
    {c::kKitFolder, K::CheckBox, {7, 310, 102, 10}, "Each Kit in Separate Folder"},
    {c::kNone, K::Text, {178, 310, 44, 8}, "Note Release"},
    {c::kNoteRelease, K::DropDown, {227, 310, 57, 59}, ""},
    {c::kCopyLoops, K::CheckBox, {7, 325, 108, 10}, "Copy \\Loops\\ folder if exist"},
    {c::kAddBpm, K::CheckBox, {7, 340, 158, 10}, "Add AKAI BPM tag to WAV from loop name *"},
    {c::kOutputHeading, K::Heading, {7, 366, 358, 8}, "Output folder", HeadingStyle::Centred},
    {c::kOutputFolder, K::Edit, {7, 380, 298, 14}, ""},
    {c::kOutputBrowse, K::Button, {310, 380, 53, 14}, "Browse"},
    {c::kAddLibrarySubfolder, K::CheckBox, {7, 398, 123, 10}, "Add \\<library name>\\ subfolder"},
    {c::kProcessAll, K::Button, {129, 415, 111, 26}, "Process All"},
    {c::kOutputInfo, K::CentredText, {7, 446, 353, 8}, ""},
    {c::kProgress, K::ProgressBar, {7, 471, 355, 14}, ""},
    {c::kClose, K::DefaultButton, {556, 471, 72, 14}, "Close"},
    {c::kNone, K::Banner, {381, 7, 247, 62}, ""},
    {c::kVersion, K::Text, {383, 73, 73, 8}, ""},
    {c::kGuideLink, K::Link, {479, 72, 84, 14}, "Guide and Updates"},
    {c::kLoadWav, K::HiddenButton, {383, 100, 50, 14}, "Load Wav"},
    {c::kLoadGroup, K::HiddenButton, {383, 118, 50, 14}, "Load MXgrp"},
    {c::kRiffTest, K::HiddenButton, {383, 136, 50, 14}, "Test"},
    {c::kHelp, K::HiddenButton, {383, 154, 50, 14}, "Help"},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() {
    return kControls;
}

}  // namespace kitvane
