#include "app/window/qt_settings_profile.h"

#include "app/window/qt_text.h"

namespace kitvane {
namespace {

QString KeyOf(const std::string& section, const std::string& name) {
    return ToQString(section) + QLatin1Char('/') + ToQString(name);
}

}  // namespace

std::string QtSettingsProfile::GetString(const std::string& section, const std::string& name,
                                         const std::string& defaultValue) const {
    const QVariant value = settings_.value(KeyOf(section, name));
    return value.isValid() ? ToStdString(value.toString()) : defaultValue;
}

int QtSettingsProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) const {
    const QVariant value = settings_.value(KeyOf(section, name));
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    return isNumber ? number : defaultValue;
}

void QtSettingsProfile::WriteString(const std::string& section, const std::string& name,
                                    const std::string& value) {
    settings_.setValue(KeyOf(section, name), ToQString(value));
    settings_.sync();
}

void QtSettingsProfile::WriteInt(const std::string& section, const std::string& name, int value) {
    settings_.setValue(KeyOf(section, name), value);
    settings_.sync();
}

}  // namespace kitvane
