#pragma once
// Where the options persist between starts: a profile of string and integer values by section and
// name, and the moments at which the options are read from it and written to it.
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "app/session.h"
#include "app/window_services.h"

namespace kitvane {

// A store of values by section and name. A missing or unreadable value yields the default; a failed
// write is not reported.
class SettingsProfile {
public:
    virtual ~SettingsProfile() = default;
    virtual std::string GetString(const std::string& section, const std::string& name,
                                  const std::string& defaultValue) const = 0;
    virtual int GetInt(const std::string& section, const std::string& name, int defaultValue) const = 0;
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
};

// A profile held in memory: for tests, and for front ends that keep nothing between starts. An integer
// read from a value written as a string that is not a number yields the default.
class InMemoryProfile final : public SettingsProfile {
public:
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;

    bool Contains(const std::string& section, const std::string& name) const;

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

// The section and value names under which the options persist.
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kOutputFolderValue = "OutLib";

// The option check boxes whose clicks have a handler.
enum class OptionCheckBox { CopyLoops, CreateKeygroups, KitFolder, BuildKit, AddBPM, AddLibrarySubfolder };

// Start-up: OutputFolder from "OutLib"; CopyLoops, CreateKeygroups, KitFolder, AddBPM from their values
// (defaults 1, 1, 0, 1), each as a push leaves it (CheckBoxValue); BuildKit on; the drop-down indexes at
// their first selections. The caller then pushes the members and updates the output info.
void LoadPersistedOptions(Session& session, const SettingsProfile& profile);

// A click on an option check box, after the box has toggled: captures the controls, then writes the
// clicked box's member to its value; for the library-subfolder box updates the output info instead.
void OnOptionCheckBoxClicked(Session& session, SettingsProfile& profile, WindowServices& ui,
                             OptionCheckBox which);

// The output folder's Browse: captures the controls; pickedPath is the folder the user confirmed in
// the picker (the last one, as path text), or empty when the picker was cancelled. A confirmed folder
// loses one trailing "\", becomes OutputFolder, is written to "OutLib" and updates the output info. The
// members are pushed in every case.
void OnOutputFolderBrowsed(Session& session, SettingsProfile& profile, WindowServices& ui,
                           const std::optional<std::string>& pickedPath);

}  // namespace kitvane
