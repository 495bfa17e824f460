#pragma once
// The main window's controls as a table: id, kind, rectangle in dialog units and caption. Dialog units
// become pixels through the base units of the dialog font, so the layout keeps its proportions with
// whatever font the platform gives the window.
#include <QFont>
#include <QRect>
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

struct ControlSpec {
    int id;
    ControlKind kind;
    QRect dialogUnits;  // left, top, width, height
    const char* caption;
    Qt::Alignment headingStyle = Qt::AlignLeft;  // for headings: the static style that picks the colour
};

// The controls in creation (and tab) order.
std::span<const ControlSpec> MainWindowControls();

// The size of the window's client area in dialog units.
inline constexpr QSize kMainWindowDialogUnits{635, 492};

// Converts dialog units to pixels: a horizontal unit is a quarter of the font's average character width,
// a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;

private:
    int baseX_;
    int baseY_;
};

// The font the window's dialog units are measured in: "MS Shell Dlg" 8 on Windows, elsewhere the
// application's font.
QFont DialogFont();

}  // namespace kitvane
