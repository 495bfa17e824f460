#pragma once
// The main window's controls as a table: id, kind, rectangle in dialog units and caption, with the
// window's fixed texts and lists. Both windows, the Qt one and the native Windows one, are made from it.
// Dialog units become pixels through the base units of the dialog font, so the layout keeps its
// proportions with whatever font the platform gives the window.
#include <span>

namespace kitvane {

// Control ids of the main window that code refers to.
namespace control {
inline constexpr int kClose = 1;
inline constexpr int kLoadWav = 1000;
inline constexpr int kLoadGroup = 1001;
inline constexpr int kLibraryPath = 1002;
inline constexpr int kMainList = 1004;
inline constexpr int kWavesList = 1005;
inline constexpr int kOutputFolder = 1006;
inline constexpr int kOutputBrowse = 1007;
inline constexpr int kProcessAll = 1008;
inline constexpr int kAddLibrarySubfolder = 1009;
inline constexpr int kLibraryName = 1010;
inline constexpr int kProgress = 1011;
inline constexpr int kLibraryBrowse = 1013;
inline constexpr int kGuideLink = 1015;
inline constexpr int kHelp = 1017;
inline constexpr int kOutputInfo = 1018;
inline constexpr int kStatus = 1019;
inline constexpr int kKitVolume = 1020;
inline constexpr int kCopyLoops = 1021;
inline constexpr int kCreateKeygroups = 1022;
inline constexpr int kShowKits = 1023;
inline constexpr int kShowInstruments = 1024;
inline constexpr int kKeygroupVolume = 1025;
inline constexpr int kNoteRelease = 1026;
inline constexpr int kKitFolder = 1027;
inline constexpr int kVersion = 1028;
inline constexpr int kBuildKit = 1029;
inline constexpr int kOptionsHeading = 1030;
inline constexpr int kOutputHeading = 1031;
inline constexpr int kLibraryHeading = 1032;
inline constexpr int kRiffTest = 1033;
inline constexpr int kAddBpm = 1034;
inline constexpr int kNone = 0;  // static texts and the banner, which nothing addresses
}  // namespace control

enum class ControlKind {
    Heading,        // a coloured header bar
    Text,           // static text, left-aligned
    CentredText,    // static text, centred
    Edit,           // single-line edit field
    ReadOnlyEdit,   // single-line edit field the user can't change
    Button,         // push button
    DefaultButton,  // the push button that Enter presses
    HiddenButton,   // a button that exists but is never shown
    FirstRadio,     // first radio button of a group
    Radio,          // further radio button of the same group
    CheckBox,       // two-state check box
    ListBox,        // unsorted single-selection list that reports selection changes
    DropDown,       // drop-down list; the rectangle's height is that of the open list
    ProgressBar,    // progress bar
    Banner,         // the picture, shown at its own size
    Link,           // a link, sized to fit its caption
};

// A rectangle in dialog units.
struct DialogRect {
    int left;
    int top;
    int width;
    int height;
};

// A heading's static style, which picks its bar colour (its text is centred whatever the style).
enum class HeadingStyle { Left, Centred, Right };

struct ControlSpec {
    int id;
    ControlKind kind;
    DialogRect dialogUnits;
    const char* caption;
    HeadingStyle headingStyle = HeadingStyle::Left;
};

// The controls in creation (and tab) order.
std::span<const ControlSpec> MainWindowControls();

// The size of the window's client area in dialog units.
inline constexpr int kMainWindowWidth = 635;
inline constexpr int kMainWindowHeight = 492;
// The banner's picture, in pixels.
inline constexpr int kBannerWidth = 370;
inline constexpr int kBannerHeight = 100;

inline constexpr const char* kMainWindowTitle = "Maschine Expansion to AKAI MPC & Force";
inline constexpr const char* kAboutItem = "&About Kitvane...";
// The About item's command id in the system menu; the platform keeps the low four bits of a system
// command for itself.
inline constexpr unsigned kAboutCommand = 0x0010;
// The guide that the link opens, beside the executable.
inline constexpr const char* kGuideFile = "guide.html";
inline constexpr const char* kDropDuringRun = "A run is in progress: the dropped folder was not loaded";

// The drop-down lists' items, in order: both volume lists, and the note release list.
inline constexpr const char* kVolumeItems[] = {"100%", "90%", "80%", "75%"};
inline constexpr const char* kReleaseItems[] = {"Short", "Medium", "Long"};

// The controls that a run switches off: every input, but neither list, the status line, the progress
// bar nor the link.
inline constexpr int kRunLockedControls[] = {
    control::kProcessAll,     control::kKitVolume,
    control::kClose,          control::kAddLibrarySubfolder,
    control::kLibraryBrowse,  control::kOutputBrowse,
    control::kOutputFolder,   control::kLibraryName,
    control::kLibraryPath,    control::kCopyLoops,
    control::kKitFolder,      control::kShowInstruments,
    control::kShowKits,       control::kCreateKeygroups,
    control::kBuildKit,       control::kAddBpm,
    control::kKeygroupVolume, control::kNoteRelease,
};

}  // namespace kitvane
