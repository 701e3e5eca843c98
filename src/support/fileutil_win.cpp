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
    // RtlGetVersion tells the truth; GetVersionEx answers what the manifest lets it.
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExW(&info);
#pragma GCC diagnostic pop
    }
    return FormatWindowsVersion(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                                static_cast<int>(info.dwPlatformId),
                                Utf8Of(info.szCSDVersion, wcsnlen(info.szCSDVersion, 128)));
}
