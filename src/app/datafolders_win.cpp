#include "app/datafolders_win.h"

#include "app/global.h"
#include "app/settings.h"
#include "common/handles_win.h"
#include "common/unicode_win.h"
#include "drivers/PathOfF.h"
#include "support/fileutil_win.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace {
std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                path)))
        return "";
    return Utf8Of(path);
}

std::string WindowsFolder() {
    wchar_t path[MAX_PATH] = L"";
    const UINT n = GetWindowsDirectoryW(path, MAX_PATH);
    return WithBackslash(Utf8Of(path, n < MAX_PATH ? n : 0));
}

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithoutBackslash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The folder itself; its parent is the shell's folder, which CSIDL_FLAG_CREATE made.
bool MakeFolder(const std::string& folder) {
    const std::string path = WithoutBackslash(folder);
    return CreateDirectoryW(Widen(path).c_str(), nullptr) || IsFolder(path);
}

struct LocalDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};

// The user this program runs as, from its token.
std::vector<unsigned char> UserSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return {};
    const UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    const unsigned char* bytes = static_cast<const unsigned char*>(sid);
    return std::vector<unsigned char>(bytes, bytes + GetLengthSid(sid));
}

bool OwnedBy(const std::wstring& path, PSID user) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalDeleter> keep(descriptor);
    return owner && EqualSid(owner, user);
}
} // namespace

bool FolderTakesWrites(const std::string& folder) {
    const std::string probe = folder + "Wextor5-" + std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount()) + ".tmp";
    const UniqueFile file(CreateFileW(
        Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::string HandedOnFolder(const std::string& folder) {
    const std::string shortFolder = ShortPathName(folder);
    return shortFolder.empty() ? folder : shortFolder;
}

std::string SharedExchangeFolder() {
    const std::string common = ShellFolder(CSIDL_COMMON_APPDATA);
    std::vector<unsigned char> sid = UserSid();
    if (common.empty() || sid.empty())
        return "";
    const std::string parent = WithBackslash(common) + PerUserFolderName + '\\';
    wchar_t* sidText = nullptr;
    if (!MakeFolder(parent) || !ConvertSidToStringSidW(sid.data(), &sidText))
        return "";
    const std::unique_ptr<void, LocalDeleter> keepText(sidText);
    // Every user may read what another leaves in %ProgramData%: the folder gets rights for this
    // user (and the system) alone, none inherited.
    const std::wstring rights = L"D:P(A;OICI;FA;;;" + std::wstring(sidText) + L")(A;OICI;FA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(rights.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return "";
    const std::unique_ptr<void, LocalDeleter> keepDescriptor(descriptor);
    const std::string folder = parent + Utf8Of(sidText) + '\\';
    const std::wstring wide = Widen(WithoutBackslash(folder));
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor, FALSE};
    // A folder by this name that someone else made could be read by them: never used.
    if (!CreateDirectoryW(wide.c_str(), &security) &&
        (GetLastError() != ERROR_ALREADY_EXISTS || !OwnedBy(wide, sid.data())))
        return "";
    return FolderTakesWrites(folder) ? HandedOnFolder(folder) : "";
}

ExchangePlace ExchangePlaceOfThisUser() {
    // The data folder first: where the file has always been, beside the log. Then the user's
    // own local folder, which the profile's rights already close to others. Last the shared
    // %ProgramData%, whose folder name is the user's SID and so always plain even where the
    // user's name is not, but which has to be closed to others by rights of its own.
    ExchangeFolders folders;
    folders.dataFolder = [] { return HandedOnFolder(DataFolder()); };
    folders.perUserFolder = [] {
        const std::string local =
            PerUserDataDir(ShellFolder(CSIDL_LOCAL_APPDATA), ShellFolder(CSIDL_APPDATA));
        return !local.empty() && MakeFolder(local) && FolderTakesWrites(local)
                   ? HandedOnFolder(local)
                   : "";
    };
    folders.sharedFolder = SharedExchangeFolder;
    return ChooseExchangeFile(folders);
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
    // The files, not the folder: the folder also holds the exchange file for every install.
    facts.perUserFilesExist = false;
    for (const char* name : {"DebugLog.Txt", "MailingList.dat", "ActiveMailers.dat"})
        facts.perUserFilesExist =
            facts.perUserFilesExist || (!perUserDir.empty() && IsFile(perUserDir + name));
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
        const std::wstring to = Widen(carry.to);
        if (!IsFile(carry.from) || !CopyFileW(Widen(carry.from).c_str(), to.c_str(), TRUE))
            continue;
        // The copy takes the old file's attributes; a read-only one would refuse every save.
        const DWORD attributes = GetFileAttributesW(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesW(to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    }

    DataDir = places.dataDir;
    SettingsFile = places.settingsFile;
}
