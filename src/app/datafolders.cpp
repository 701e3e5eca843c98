#include "app/datafolders.h"

#include "app/settings.h"

const char* const PerUserFolderName = "Wextor 5";

namespace {
std::string WithBackslash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\')
        return folder;
    return folder + '\\';
}
} // namespace

std::string PerUserDataDir(const std::string& localAppData, const std::string& roamingAppData) {
    // Without a local folder (no such folder before Windows 2000) the roaming one serves.
    const std::string base = !localAppData.empty() ? localAppData : roamingAppData;
    if (base.empty())
        return "";
    return WithBackslash(base) + PerUserFolderName + '\\';
}

std::string PerUserSettingsFile(const std::string& roamingAppData) {
    if (roamingAppData.empty())
        return "";
    return WithBackslash(roamingAppData) + PerUserFolderName + '\\' + SettingsFileName;
}

DataPlaces ChooseDataPlaces(const DataPlaceFacts& facts) {
    DataPlaces places;
    places.dataDir = facts.programDir;
    places.settingsFile = SettingsFileName;

    const std::string perUserDir = PerUserDataDir(facts.localAppData, facts.roamingAppData);
    if (!perUserDir.empty() && (!facts.programDirWritable || facts.perUserFilesExist)) {
        places.dataDir = perUserDir;
        places.filesMoved = true;
    }
    const std::string perUserSettings = PerUserSettingsFile(facts.roamingAppData);
    if (!perUserSettings.empty() && (!facts.windowsDirWritable || facts.perUserSettingsExist)) {
        places.settingsFile = perUserSettings;
        places.settingsMoved = true;
    }
    return places;
}

std::vector<FileCarry> CarriedOverFiles(const DataPlaceFacts& facts, const DataPlaces& places) {
    std::vector<FileCarry> carries;
    if (places.settingsMoved && !facts.windowsDir.empty())
        carries.push_back(
            {WithBackslash(facts.windowsDir) + SettingsFileName, places.settingsFile});
    if (places.filesMoved)
        for (const char* list : {"MailingList.dat", "ActiveMailers.dat"})
            carries.push_back({facts.programDir + list, places.dataDir + list});
    return carries;
}

const char* const ExchangeFileName = "tmpmfd.tmp";

bool IsPlainPath(const std::string& path) {
    if (path.empty())
        return false;
    for (const char c : path)
        if (c <= ' ' || c > '~') // also every byte of a UTF-8 sequence
            return false;
    return true;
}

ExchangePlace ChooseExchangeFile(const ExchangeFolders& folders) {
    ExchangePlace fallback;
    // The user's own folders first: there no other user can read the message.
    for (const auto* source :
         {&folders.perUserFolder, &folders.sharedFolder, &folders.dataFolder}) {
        if (!*source)
            continue;
        const std::string folder = (*source)();
        if (folder.empty())
            continue;
        const std::string file = WithBackslash(folder) + ExchangeFileName;
        if (IsPlainPath(file))
            return {file, true};
        // Nothing plain at all: the first place, which drivers that read wide text still take.
        if (fallback.file.empty())
            fallback.file = file;
    }
    return fallback;
}

std::string NoPlainExchangeText(const std::string& exchangeFile) {
    return "Wextor 5 found no folder for its exchange file whose name every mail form driver can "
           "read: the names hold blanks or letters beyond plain ASCII, and Windows gives them no "
           "short (8.3) names.\r\n\r\nThe exchange file is now\r\n" +
           exchangeFile +
           "\r\n\r\nOlder mail form drivers may fail to read or write your messages. Turning "
           "short names on for this drive (fsutil 8dot3name) or letting you write the "
           "ProgramData folder helps.";
}
