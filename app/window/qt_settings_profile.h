#pragma once
// The options' profile in the platform's settings store: the registry on Windows, an INI file under
// the user's configuration folder elsewhere, in the application's organisation and name.
#include <QSettings>

#include "app/settings_profile.h"

namespace kitvane {

class QtSettingsProfile final : public SettingsProfile {
public:
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) const override;
    // A value that is not a 32-bit integer yields the default.
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    // Each write reaches the store at once, as a registry write would; a failure is not reported.
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;

private:
    mutable QSettings settings_;
};

}  // namespace kitvane
