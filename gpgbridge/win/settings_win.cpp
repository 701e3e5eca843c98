#include "settings_win.h"

#include <windows.h>

#include <shlobj.h>

namespace {

const char kSection[] = "GnuPG";

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A real try: only the file system knows whether this user may write there.
bool FolderTakesWrites(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    const std::string probe = folder + "GpgBridge-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount()) + ".tmp";
    const HANDLE file = CreateFileA(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string FindSettingsFile() {
    char windows[MAX_PATH] = "", appData[MAX_PATH] = "";
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string windowsDir = n && n < MAX_PATH ? windows : "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, appData)))
        appData[0] = 0;
    const std::string perUser = PerUserSettingsFile(appData);
    const SettingsPlace place =
        ChooseSettingsPlace(!windowsDir.empty() && FolderTakesWrites(windowsDir),
                            !perUser.empty() && IsFile(perUser), windowsDir, appData);
    if (place.file == "GpgBridge.INI")
        return place.file;
    const std::string folder = place.file.substr(0, place.file.rfind('\\'));
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return "GpgBridge.INI"; // no per-user folder: the old place is the only one
    // Copied once, never over the per-user file.
    if (IsFile(place.carryFrom) && CopyFileA(place.carryFrom.c_str(), place.file.c_str(), TRUE))
        SetFileAttributesA(place.file.c_str(), FILE_ATTRIBUTE_NORMAL);
    return place.file;
}

std::string Read(const char* key, const char* fallback) {
    char value[4096] = {};
    GetPrivateProfileStringA(kSection, key, fallback, value, sizeof value, SettingsFile().c_str());
    return value;
}

void Write(const char* key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key, value.c_str(), SettingsFile().c_str());
}

} // namespace

const std::string& SettingsFile() {
    static const std::string file = FindSettingsFile();
    return file;
}

BridgeSettings LoadSettings() {
    BridgeSettings settings;
    settings.gpgPath = Read("GpgPath", "");
    settings.defaultKey = Read("DefaultKey", "");
    settings.encryptToSelf = ParseFlag(Read("EncryptToSelf", "1"), true);
    settings.lastRecipients = SplitKeyIds(Read("LastRecipients", ""));
    return settings;
}

void SaveSettings(const BridgeSettings& settings) {
    Write("GpgPath", settings.gpgPath);
    Write("DefaultKey", settings.defaultKey);
    Write("EncryptToSelf", settings.encryptToSelf ? "1" : "0");
    Write("LastRecipients", JoinKeyIds(settings.lastRecipients));
}
