#include "app/win32/registry_profile.h"

#include <windows.h>

#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

#include "app/win32/wide_text.h"

namespace kitvane::win32 {
namespace {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

std::optional<RegistryValue> ReadValue(const std::wstring& key, const std::string& name) {
    const std::wstring valueName = Widen(name);
    RegistryValue value;
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), valueName.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                       &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), valueName.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                       &value.type, value.bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

// A string value's text, without the terminating NULs the registry may hold.
std::wstring TextOf(const RegistryValue& value) {
    std::wstring text(value.bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), value.bytes.data(), text.size() * sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool IsString(const RegistryValue& value) {
    return value.type == REG_SZ || value.type == REG_EXPAND_SZ;
}

std::optional<int> DwordOf(const RegistryValue& value) {
    if (value.type != REG_DWORD || value.bytes.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, value.bytes.data(), sizeof number);
    return static_cast<int>(number);
}

// A leading "@" marks Qt's encoded values; a plain "@" is stored doubled.
std::string Unescaped(const std::string& text) {
    return text.starts_with("@@") ? text.substr(1) : text;
}

std::string Escaped(const std::string& text) {
    return text.starts_with("@") ? "@" + text : text;
}

void WriteValue(const std::wstring& key, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                          nullptr) != ERROR_SUCCESS)
        return;  // a failed write is not reported
    ::RegSetValueExW(handle, Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(handle);
}

// A number written as text, as an older writer may have stored it.
int GetIntFromText(const std::string& text, int defaultValue) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && at == end ? number : defaultValue;
}

}  // namespace

RegistryProfile::RegistryProfile(std::wstring organisation, std::wstring application)
    : key_(L"Software\\" + organisation + L"\\" + application) {}

std::wstring RegistryProfile::SectionKey(const std::string& section) const {
    return key_ + L"\\" + Widen(section);
}

std::string RegistryProfile::GetString(const std::string& section, const std::string& name,
                                       const std::string& defaultValue) const {
    const auto value = ReadValue(SectionKey(section), name);
    if (!value)
        return defaultValue;
    if (IsString(*value))
        return Unescaped(Narrow(TextOf(*value)));
    if (const auto number = DwordOf(*value))
        return std::to_string(*number);
    return defaultValue;
}

int RegistryProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) const {
    const auto value = ReadValue(SectionKey(section), name);
    if (!value)
        return defaultValue;
    if (const auto number = DwordOf(*value))
        return *number;
    if (IsString(*value))
        return GetIntFromText(Narrow(TextOf(*value)), defaultValue);
    return defaultValue;
}

void RegistryProfile::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    const std::wstring text = Widen(Escaped(value));
    WriteValue(SectionKey(section), name, REG_SZ, text.c_str(),
               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistryProfile::WriteInt(const std::string& section, const std::string& name, int value) {
    const DWORD number = static_cast<DWORD>(value);
    WriteValue(SectionKey(section), name, REG_DWORD, &number, sizeof number);
}

std::wstring ApplicationName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace kitvane::win32
