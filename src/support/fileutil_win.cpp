#include "support/fileutil.h"
#include "support/fileutil_win.h"

#include "common/unicode_win.h"

#include <windows.h>

std::string ShortPathName(const std::string& path) {
    wchar_t buffer[256] = L"";
    const DWORD k = GetShortPathNameW(Widen(path).c_str(), buffer, 255);
    // A short form that does not fit in 255 characters is no short form at all.
    if (k == 0 || k > 255)
        return std::string();
    return Utf8Of(buffer, k);
}

std::string WindowsVersionText() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return FormatWindowsVersion(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                                static_cast<int>(info.dwPlatformId),
                                std::string(info.szCSDVersion, strnlen(info.szCSDVersion, 128)));
}
