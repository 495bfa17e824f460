#pragma once
// The options that steer a conversion, as the window's controls hold them.
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

}  // namespace kitvane
