#include "app/settings_profile.h"

#include <charconv>

#include "library/library_loader.h"

namespace kitvane {

std::string InMemoryProfile::GetString(const std::string& section, const std::string& name,
                                       const std::string& defaultValue) const {
    const auto found = values_.find({section, name});
    return found == values_.end() ? defaultValue : found->second;
}

int InMemoryProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) const {
    const auto found = values_.find({section, name});
    if (found == values_.end())
        return defaultValue;
    const std::string& text = found->second;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : defaultValue;
}

void InMemoryProfile::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    values_[{section, name}] = value;
}

void InMemoryProfile::WriteInt(const std::string& section, const std::string& name, int value) {
    values_[{section, name}] = std::to_string(value);
}

bool InMemoryProfile::Contains(const std::string& section, const std::string& name) const {
    return values_.count({section, name}) != 0;
}

namespace {

struct PersistedCheckBox {
    OptionCheckBox box;
    const char* valueName;
    int ConversionOptions::*member;
    bool readAtStart;  // BuildKit is written on each click but on at every start
    int defaultValue;
};

constexpr PersistedCheckBox kPersisted[] = {
    {OptionCheckBox::CopyLoops, "CopyLoops", &ConversionOptions::CopyLoops, true, 1},
    {OptionCheckBox::CreateKeygroups, "CreateKeygroups", &ConversionOptions::CreateKeygroups, true, 1},
    {OptionCheckBox::KitFolder, "KitFolder", &ConversionOptions::KitFolder, true, 0},
    {OptionCheckBox::BuildKit, "BuildKit", &ConversionOptions::BuildKit, false, 1},
    {OptionCheckBox::AddBPM, "AddBPM", &ConversionOptions::AddBPM, true, 1},
};

}  // namespace

void LoadPersistedOptions(Session& session, const SettingsProfile& profile) {
    session.library.OutputFolder = profile.GetString(kSettingsSection, kOutputFolderValue, "");
    ConversionOptions& options = session.options;
    for (const PersistedCheckBox& persisted : kPersisted) {
        // A stored value that no check box can show reads as off, as the first push would leave it.
        options.*persisted.member =
            persisted.readAtStart
                ? CheckBoxValue(profile.GetInt(kSettingsSection, persisted.valueName, persisted.defaultValue))
                : persisted.defaultValue;
    }
    options.KitVolume = 0;
    options.KeygroupVolume = 2;
    options.NoteRelease = 1;
}

void OnOptionCheckBoxClicked(Session& session, SettingsProfile& profile, WindowServices& ui,
                             OptionCheckBox which) {
    ui.CaptureControls();
    if (which == OptionCheckBox::AddLibrarySubfolder) {
        UpdateOutputInfo(session.library, ui);
        return;
    }
    for (const PersistedCheckBox& persisted : kPersisted) {
        if (persisted.box == which) {
            profile.WriteInt(kSettingsSection, persisted.valueName, session.options.*persisted.member);
        }
    }
}

void OnOutputFolderBrowsed(Session& session, SettingsProfile& profile, WindowServices& ui,
                           const std::optional<std::string>& pickedPath) {
    ui.CaptureControls();
    if (pickedPath) {
        std::string folder = *pickedPath;
        if (!folder.empty() && folder.back() == '\\')
            folder.pop_back();
        session.library.OutputFolder = folder;
        profile.WriteString(kSettingsSection, kOutputFolderValue, folder);
        UpdateOutputInfo(session.library, ui);
    }
    ui.PushMembers();
}

}  // namespace kitvane
