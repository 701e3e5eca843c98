#include "places_win.h"

#include <windows.h>

#include "common/unicode_win.h"

namespace {

std::string InstallDirectory(HKEY root, const wchar_t* subkey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH + 1] = {};
    DWORD type = 0, size = sizeof value - sizeof(wchar_t);
    const bool ok = RegQueryValueExW(key, L"Install Directory", nullptr, &type,
                                     reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                    (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(key);
    if (!ok)
        return {};
    if (type == REG_SZ)
        return Utf8Of(value);
    wchar_t expanded[MAX_PATH + 1] = {};
    const DWORD n = ExpandEnvironmentStringsW(value, expanded, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH + 1 ? Utf8Of(expanded) : std::string();
}

std::string Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? Utf8Of(value) : std::string();
}

} // namespace

Gpg4winPlaces FindGpg4winPlaces(const wchar_t* subkey) {
    // Both views, whichever build asks: a 32-bit bridge must see a 64-bit Gpg4win and back.
    return {{InstallDirectory(HKEY_LOCAL_MACHINE, subkey, KEY_WOW64_64KEY),
             InstallDirectory(HKEY_LOCAL_MACHINE, subkey, KEY_WOW64_32KEY),
             InstallDirectory(HKEY_CURRENT_USER, subkey, 0)},
            {Environment(L"ProgramW6432"), Environment(L"ProgramFiles(x86)"),
             Environment(L"ProgramFiles")}};
}
