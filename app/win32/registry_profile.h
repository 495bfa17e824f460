#pragma once
// The options' profile in the per-user registry, HKEY_CURRENT_USER\Software\<organisation>\<application>
// with one key per section, in the form Qt's settings use there: integers as REG_DWORD, strings as
// REG_SZ with a leading "@" doubled. So the native window and a Qt build of the window read each other's
// values.
#include <string>

#include "app/settings_profile.h"

namespace kitvane::win32 {

class RegistryProfile final : public SettingsProfile {
public:
    RegistryProfile(std::wstring organisation, std::wstring application);

    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;

private:
    std::wstring SectionKey(const std::string& section) const;

    std::wstring key_;
};

// The name the profile goes by: the executable's file name without its extension.
std::wstring ApplicationName();

}  // namespace kitvane::win32
