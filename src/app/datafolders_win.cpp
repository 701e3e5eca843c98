#include "app/datafolders_win.h"

#include "app/datafolders.h"
#include "app/global.h"
#include "app/settings.h"
#include "drivers/PathOfF.h"
#include "support/fileutil_win.h"
#include "common/handles_win.h"

#include <shlobj.h>
#include <windows.h>

namespace {
std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                path)))
        return "";
    return path;
}

std::string WindowsFolder() {
    char path[MAX_PATH] = "";
    const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    if (!dir.empty() && dir.back() != '\\')
        dir += '\\';
    return dir;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder itself; its parent is the shell's folder, which CSIDL_FLAG_CREATE made.
bool MakeFolder(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
}
} // namespace

bool FolderTakesWrites(const std::string& folder) {
    const std::string probe = folder + "Wextor5-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount()) + ".tmp";
    const UniqueFile file(CreateFileA(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::string ExchangeFileFor(const std::string& folder) {
    const std::string shortFolder = ShortPathName(folder);
    return (shortFolder.empty() ? folder : shortFolder) + "tmpmfd.tmp";
}

void SetUpDataPlaces() {
    DataPlaceFacts facts;
    facts.programDir = ProgramDir;
    facts.windowsDir = WindowsFolder();
    facts.programDirWritable = FolderTakesWrites(ProgramDir);
    facts.windowsDirWritable = !facts.windowsDir.empty() && FolderTakesWrites(facts.windowsDir);
    facts.localAppData = ShellFolder(CSIDL_LOCAL_APPDATA);
    facts.roamingAppData = ShellFolder(CSIDL_APPDATA);
    const std::string perUserDir = PerUserDataDir(facts.localAppData, facts.roamingAppData);
    facts.perUserFilesExist = !perUserDir.empty() && IsFolder(perUserDir);
    const std::string perUserSettings = PerUserSettingsFile(facts.roamingAppData);
    facts.perUserSettingsExist = !perUserSettings.empty() && IsFile(perUserSettings);

    DataPlaces places = ChooseDataPlaces(facts);
    // A per-user folder that cannot be made leaves the old place, the only one there is.
    if (places.filesMoved && !MakeFolder(places.dataDir)) {
        places.dataDir = ProgramDir;
        places.filesMoved = false;
    }
    if (places.settingsMoved && !MakeFolder(PathOf(places.settingsFile))) {
        places.settingsFile = SettingsFileName;
        places.settingsMoved = false;
    }
    // Copied, never moved: an older copy of the program may still read the old places.
    for (const FileCarry& carry : CarriedOverFiles(facts, places)) {
        if (!IsFile(carry.from) || !CopyFileA(carry.from.c_str(), carry.to.c_str(), TRUE))
            continue;
        // The copy takes the old file's attributes; a read-only one would refuse every save.
        const DWORD attributes = GetFileAttributesA(carry.to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(carry.to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    }

    DataDir = places.dataDir;
    SettingsFile = places.settingsFile;
}
