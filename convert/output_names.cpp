#include "convert/output_names.h"

#include "convert/path_operations.h"

namespace kitvane {

DrumOutputNames NamesForGroup(const LibraryModel& library, int kitFolderOption, const std::string& outputRoot,
                              const std::string& groupEntry) {
    DrumOutputNames names;
    names.GroupFilePath = library.LibraryPath + library.GroupSubfolder + groupEntry;
    names.GroupFileName = FileNameOfPath(groupEntry);
    names.ProgramName = StripExtension(names.GroupFileName);
    // Groups lying directly in the group folder all share one folder named Kits.
    names.KitFolder = groupEntry.find('\\') == std::string::npos ? "Kits" : FolderOfPath(groupEntry);
    names.ProgramFolder = outputRoot + "\\" + names.KitFolder + "\\";
    if (kitFolderOption != 0)
        names.ProgramFolder += names.ProgramName + "\\";
    names.ProgramFile = names.ProgramFolder + names.ProgramName + ".xpm";

    const std::string groupFolder = FolderOfPath(names.GroupFilePath);
    const std::string previewName = names.GroupFileName + ".ogg";
    names.PreviewSource = groupFolder + "\\.previews\\" + previewName;
    if (!PathExists(names.PreviewSource))
        names.PreviewSource = groupFolder + "\\previews\\" + previewName;
    names.PreviewDestination = names.ProgramFolder.substr(0, names.ProgramFolder.size() - 1) +
                               "\\[Previews]\\" + names.ProgramName + ".xpm.ogg";
    return names;
}

}  // namespace kitvane
