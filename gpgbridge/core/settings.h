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
// Kleopatra, for the PGPKeys program: the same two folders with "\Gpg4win\bin\kleopatra.exe".
std::vector<std::string> KleopatraCandidates(const std::string& programFilesX86,
                                             const std::string& programFiles);
