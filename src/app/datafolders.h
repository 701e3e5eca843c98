// Where the files the program writes live. Windows since Vista lets a standard user write
// neither the Windows folder nor Program Files, so a folder that refuses writes is replaced by
// a per-user one; a folder that takes them keeps its files where they always were.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What the start-up found out. Folders carry a trailing backslash; the per-user folders are
// the shell's own (CSIDL_LOCAL_APPDATA, CSIDL_APPDATA) and empty when it named none.
struct DataPlaceFacts {
    std::string programDir;
    std::string windowsDir;
    std::string localAppData;
    std::string roamingAppData;
    bool programDirWritable = true;
    bool windowsDirWritable = true;
    // Files already in the per-user places from an earlier start: they are used from then on,
    // so that a start with other rights (elevated, or a copy elsewhere) finds the same settings.
    bool perUserFilesExist = false;    // the per-user data folder exists
    bool perUserSettingsExist = false; // the per-user settings file exists
};

struct DataPlaces {
    std::string dataDir;        // log, exchange file, lists, "Running.Flg"; trailing backslash
    std::string settingsFile;   // "Wextor5.INI" (bare: the Windows folder) or its full path
    bool filesMoved = false;    // dataDir is not the program folder
    bool settingsMoved = false; // settingsFile is not the bare name
};

extern const char* const PerUserFolderName; // "Wextor 5"

// The per-user folders as the places would use them (trailing backslash for the data folder).
std::string PerUserDataDir(const std::string& localAppData, const std::string& roamingAppData);
std::string PerUserSettingsFile(const std::string& roamingAppData);

DataPlaces ChooseDataPlaces(const DataPlaceFacts& facts);

struct FileCarry {
    std::string from;
    std::string to;
};
// Files the user had in the old places that are copied once into the new ones: the Windows
// folder's settings file and the program folder's two lists. The copy never overwrites a file
// already in the new place, so it happens at most once.
std::vector<FileCarry> CarriedOverFiles(const DataPlaceFacts& facts, const DataPlaces& places);

// The drivers get the exchange file's path on a command line without quotes and read it as
// ANSI text: only printable ASCII without blanks reaches every one of them unchanged.
bool IsPlainPath(const std::string& path);

// Folders the exchange file may live in, best first. Each yields the folder as it would be
// handed on (its short form where it has one) with a trailing backslash, or "" when that folder
// cannot be had. A later one is asked only when no earlier one was plain: asking may make it.
struct ExchangeFolders {
    // Asked in this order: the user's own local folder, a folder of the user's own in a shared
    // place, the folder beside the log and the lists (where others may read).
    std::function<std::string()> perUserFolder;
    std::function<std::string()> sharedFolder;
    std::function<std::string()> dataFolder;
};

struct ExchangePlace {
    std::string file;   // the exchange file's path as handed to the drivers
    bool plain = false; // false: no candidate was plain, and file is the first one's
};

extern const char* const ExchangeFileName; // "tmpmfd.tmp"

ExchangePlace ChooseExchangeFile(const ExchangeFolders& folders);

// The start-up warning when no plain place was found.
std::string NoPlainExchangeText(const std::string& exchangeFile);
