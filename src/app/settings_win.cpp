#include "app/settings_win.h"

#include "support/platform.h"

#include <windows.h>

std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    char buffer[1024] = "";
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                             buffer, sizeof buffer, fileName_.c_str());
    return std::string(buffer, n);
}

void PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
        throw FileError("Unable to write to " + fileName_);
}
