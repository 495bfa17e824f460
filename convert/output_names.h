#pragma once
// Where one group's drum program, its samples and its preview go below the output root.
#include <string>

#include "library/library_model.h"

namespace kitvane {

struct DrumOutputNames {
    std::string GroupFilePath;  // LibraryPath + GroupSubfolder + entry
    std::string GroupFileName;  // the entry's file name, extension included
    std::string ProgramName;    // the group file name without its extension
    std::string KitFolder;      // the entry's folder, or "Kits" for an entry without one
    std::string ProgramFolder;  // outputRoot + "\" + KitFolder + "\" [+ ProgramName + "\"]; ends with "\"
    std::string ProgramFile;    // ProgramFolder + ProgramName + ".xpm"
    std::string PreviewSource;  // the group's ".previews" preview if it exists, else its "previews" one
    std::string PreviewDestination;  // ProgramFolder without "\" + "\[Previews]\" + ProgramName + ".xpm.ogg"
};

// The names for one GroupList entry (a group file path relative to the group folder). kitFolderOption
// is the KitFolder check box: when it is on, each program gets a folder of its own. Only the ".previews"
// preview is looked for on disk.
DrumOutputNames NamesForGroup(const LibraryModel& library, int kitFolderOption, const std::string& outputRoot,
                              const std::string& groupEntry);

}  // namespace kitvane
