#include "library/library_loader.h"

#include "convert/path_operations.h"
#include "library/enumeration.h"
#include "library/name_text.h"

namespace kitvane {
namespace {

std::string MissingGroupFolderMessage(const std::string& kitsPath) {
    return "Can't find Groups or Kits sub-folder in the entered path\r\n" + kitsPath +
           "\r\n\r\nThis app works on each Expansion library separate, you need to drop a path to a Single "
           "Expansion Library to convert it";
}

}  // namespace

void LoadLibrary(Session& session, WindowServices& ui, const std::string& path) {
    LibraryModel& library = session.library;
    library.LibraryPath = path;
    if (!library.LibraryPath.empty() && library.LibraryPath.back() == '\\')
        library.LibraryPath.pop_back();
    library.ShowInstruments = 0;
    ValidateLibrary(session, ui);
    EnumerateInstruments(library, ui);
    ui.PushMembers();
    ui.SetProgressRange(static_cast<int>(library.GroupList.size()));
    ui.SetProgressPosition(0);
    FillLibraryList(session, ui);
    ui.SetViewCaptions("Kits (" + std::to_string(library.GroupList.size()) + ")",
                       "Instruments (" + std::to_string(library.InstrumentList.size()) + ")");
}

bool ValidateLibrary(Session& session, WindowServices& ui) {
    LibraryModel& library = session.library;
    library.GroupSubfolder = "\\Groups\\";
    library.GroupsFolder = library.LibraryPath + "\\Groups";
    if (!PathExists(library.GroupsFolder)) {
        library.GroupsFolder = library.LibraryPath + "\\Kits";
        library.GroupSubfolder = "\\Kits\\";
        if (!PathExists(library.GroupsFolder)) {
            ui.ShowMessage(MissingGroupFolderMessage(library.GroupsFolder));
            return false;
        }
    }
    WaitCursor wait(ui);
    library.GroupList.clear();
    FindGroupFiles(library.GroupsFolder, "", library.GroupList);
    DeriveLibraryName(library);
    UpdateOutputInfo(library, ui);
    return true;
}

void DeriveLibraryName(LibraryModel& library) {
    const auto slash = library.LibraryPath.rfind('\\');
    const std::string candidate =
        slash == std::string::npos ? library.LibraryName : library.LibraryPath.substr(slash + 1);
    library.LibraryName = TrimBlanks(RemoveAll(candidate, "Library"));
}

std::string ComposeOutputRoot(const LibraryModel& library) {
    return library.AddLibrarySubfolder ? library.OutputFolder + "\\" + library.LibraryName
                                       : library.OutputFolder;
}

std::string OutputInfoText(const LibraryModel& library) {
    std::string text = library.OutputFolder;
    if (library.AddLibrarySubfolder && !library.LibraryName.empty())
        text += "\\" + library.LibraryName;
    return text + "\\";
}

void UpdateOutputInfo(const LibraryModel& library, WindowServices& ui) {
    ui.SetOutputInfo(OutputInfoText(library));
}

}  // namespace kitvane
