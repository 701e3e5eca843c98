#include "settings_win.h"

#include <windows.h>

#include <shlobj.h>

#include "common/handles_win.h"
#include "common/unicode_win.h"

namespace {

const wchar_t kSection[] = L"GnuPG";

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A real try: only the file system knows whether this user may write there.
bool FolderTakesWrites(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    const std::string probe = folder + "GpgBridge-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount()) + ".tmp";
    const HANDLE file = CreateFileW(
        Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string FindSettingsFile() {
    wchar_t windows[MAX_PATH] = L"", appDataWide[MAX_PATH] = L"";
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string windowsDir = n && n < MAX_PATH ? Utf8Of(windows) : "";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, appDataWide)))
        appDataWide[0] = 0;
    const std::string appData = Utf8Of(appDataWide);
    const std::string perUser = PerUserSettingsFile(appData);
    const SettingsPlace place =
        ChooseSettingsPlace(!windowsDir.empty() && FolderTakesWrites(windowsDir),
                            !perUser.empty() && IsFile(perUser), windowsDir, appData);
    if (place.file == "GpgBridge.INI")
        return place.file;
    const std::string folder = place.file.substr(0, place.file.rfind('\\'));
    if (!CreateDirectoryW(Widen(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return "GpgBridge.INI"; // no per-user folder: the old place is the only one
    // Copied once, never over the per-user file.
    if (IsFile(place.carryFrom) &&
        CopyFileW(Widen(place.carryFrom).c_str(), Widen(place.file).c_str(), TRUE))
        SetFileAttributesW(Widen(place.file).c_str(), FILE_ATTRIBUTE_NORMAL);
    return place.file;
}

// The profile functions write a new file in the ANSI code page, which would lose a path
// outside it; a file that starts as UTF-16 stays UTF-16.
void StartUnicodeFile(const std::string& name) {
    std::string path = name;
    if (path.find('\\') == std::string::npos) {
        wchar_t windows[MAX_PATH] = L"";
        const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
        if (!n || n >= MAX_PATH)
            return;
        path = Utf8Of(windows) + "\\" + name;
    }
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    const unsigned char bom[] = {0xFF, 0xFE};
    DWORD written = 0;
    if (file)
        WriteFile(file.get(), bom, sizeof bom, &written, nullptr);
}

std::string Read(const wchar_t* key, const wchar_t* fallback) {
    wchar_t value[4096] = {};
    GetPrivateProfileStringW(kSection, key, fallback, value, 4096, Widen(SettingsFile()).c_str());
    return Utf8Of(value);
}

void Write(const wchar_t* key, const std::string& value) {
    WritePrivateProfileStringW(kSection, key, Widen(value).c_str(), Widen(SettingsFile()).c_str());
}

} // namespace

const std::string& SettingsFile() {
    static const std::string file = FindSettingsFile();
    return file;
}

BridgeSettings LoadSettings() {
    BridgeSettings settings;
    settings.gpgPath = Read(L"GpgPath", L"");
    settings.defaultKey = Read(L"DefaultKey", L"");
    settings.encryptToSelf = ParseFlag(Read(L"EncryptToSelf", L"1"), true);
    settings.lastRecipients = SplitKeyIds(Read(L"LastRecipients", L""));
    return settings;
}

void SaveSettings(const BridgeSettings& settings) {
    StartUnicodeFile(SettingsFile());
    Write(L"GpgPath", settings.gpgPath);
    Write(L"DefaultKey", settings.defaultKey);
    Write(L"EncryptToSelf", settings.encryptToSelf ? "1" : "0");
    Write(L"LastRecipients", JoinKeyIds(settings.lastRecipients));
}
