// The bridge's settings and how they are stored (INI section "GnuPG").
#pragma once
#include <string>
#include <vector>

struct BridgeSettings {
    std::string gpgPath;    // empty: look in the usual places
    std::string defaultKey; // key id; empty: GnuPG's own default
    bool encryptToSelf = true;
    std::vector<std::string> lastRecipients; // key ids chosen last time
};

// Value encodings: recipients as key ids separated by blanks; booleans as "1"/"0".
std::string JoinKeyIds(const std::vector<std::string>& ids);
std::vector<std::string> SplitKeyIds(const std::string& text);
bool ParseFlag(const std::string& text, bool fallback);

// Where to look for gpg.exe, in order: the setting when not empty, then
// "<ProgramFiles(x86)>\GnuPG\bin\gpg.exe", "<ProgramFiles>\GnuPG\bin\gpg.exe" (Gpg4win's places;
// empty folders are skipped). The caller tries each and finally searches the PATH for "gpg.exe".
std::vector<std::string> GpgCandidates(const std::string& setting,
                                       const std::string& programFilesX86,
                                       const std::string& programFiles);
// The folders of a PATH value to look for gpg.exe in: only absolute ones ("C:\\x",
// "\\\\server\\x"), quotes removed, so that neither the current folder nor one relative to it is
// ever searched.
std::vector<std::string> PathFolders(const std::string& path);
// Kleopatra, for the PGPKeys program: the same two folders with "\Gpg4win\bin\kleopatra.exe".
std::vector<std::string> KleopatraCandidates(const std::string& programFilesX86,
                                             const std::string& programFiles);

// Where "GpgBridge.INI" lives. The bare name (the Windows folder, through the profile functions)
// while that folder takes writes and no per-user file exists yet; otherwise
// "<appData>\GnuPG bridge\GpgBridge.INI", into which the Windows folder's file (carryFrom) is
// copied once, never over a file already there. No appData: the bare name, the only place left.
struct SettingsPlace {
    std::string file;
    std::string carryFrom; // empty: nothing to carry over
};
SettingsPlace ChooseSettingsPlace(bool windowsDirWritable, bool perUserFileExists,
                                  const std::string& windowsDir, const std::string& appData);
// "<appData>\GnuPG bridge\GpgBridge.INI"; empty without appData.
std::string PerUserSettingsFile(const std::string& appData);
