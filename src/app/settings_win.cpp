#include "app/settings_win.h"

#include "common/unicode_win.h"
#include "support/platform.h"

#include <windows.h>

std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    wchar_t buffer[1024] = L"";
    const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                             Widen(defaultValue).c_str(), buffer, 1024,
                                             Widen(fileName_).c_str());
    return Utf8Of(buffer, n);
}

void PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                    Widen(value).c_str(), Widen(fileName_).c_str()))
        throw FileError("Unable to write to " + fileName_);
}
