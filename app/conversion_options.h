#pragma once
// The options that steer a conversion, as the window's controls hold them, and the texts that the
// level choices put into a program.
#include <string>

namespace kitvane {

struct ConversionOptions {
    // Check boxes hold 0 (off) or 1 (on); a value read from the profile may be anything until a push.
    int BuildKit = 1;
    int KitFolder = 0;
    int CopyLoops = 1;
    int AddBPM = 1;
    int CreateKeygroups = 1;
    int KitVolume = 0;       // index into "100%", "90%", "80%", "75%"
    int KeygroupVolume = 2;  // the same list
    int NoteRelease = 1;     // index into "Short", "Medium", "Long"
};

// The volume placeholder's text for a KitVolume or KeygroupVolume index: "1.000000", "0.900000",
// "0.800000", "0.750000"; any other index gives "1.000000".
std::string VolumeText(int index);
// The release placeholder's text for a NoteRelease index: "0.600000", "0.670000", "0.750000"; any other
// index gives "0.670000".
std::string ReleaseText(int index);
// A check box value as a push leaves it: 0, 1 and 2 (indeterminate) stay, anything else becomes 0.
int CheckBoxValue(int stored);

}  // namespace kitvane
