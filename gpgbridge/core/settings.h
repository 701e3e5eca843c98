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

// Where Gpg4win may be on this machine. installDirectories: the registry's "Install Directory"
// values, 64-bit view, 32-bit view, then the user's (HKLM and HKCU "Software\GnuPG" for gpg,
// "Software\Gpg4win" for Kleopatra); programFolders: %ProgramW6432%, %ProgramFiles(x86)%,
// %ProgramFiles%. Empty ones are skipped, so that a 32-bit build on 64-bit Windows, which sees
// the 32-bit folders under the plain names, finds the 64-bit install too.
struct Gpg4winPlaces {
    std::vector<std::string> installDirectories, programFolders;
};
// Where to look for gpg.exe, in order: the setting when not empty, "<install>\bin\gpg.exe",
// then "<folder>\GnuPG\bin\gpg.exe". The caller tries each and finally searches the PATH.
std::vector<std::string> GpgCandidates(const std::string& setting, const Gpg4winPlaces& places);
// The folders of a PATH value to look for gpg.exe in: only absolute ones ("C:\x",
// "\\server\x"), quotes removed, so that neither the current folder nor one relative to it is
// ever searched.
std::vector<std::string> PathFolders(const std::string& path);
// Kleopatra, for the PGPKeys program: "<install>\bin\kleopatra.exe", then
// "<folder>\Gpg4win\bin\kleopatra.exe".
std::vector<std::string> KleopatraCandidates(const Gpg4winPlaces& places);

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
