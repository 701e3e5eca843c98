// Value encodings of the settings file and the plain list files.
#pragma once

#include "app/hotkey.h"

#include <string>
#include <vector>

// An integer value as the profile file holds it: decimal, or hexadecimal when longer than two
// characters and starting "0x"/"0X". Missing (empty) or unconvertible text gives the default.
int DecodeIntValue(const std::string& text, int defaultValue);
// Booleans are read as integers: any non-zero value is true.
bool DecodeBoolValue(const std::string& text, bool defaultValue);
std::string EncodeIntValue(int value);
std::string EncodeBoolValue(bool value); // "1" / "0"
// A radio-group index from the file: below -1 becomes -1 (none chosen), 3 or more becomes 2.
int ClampRadioIndex(int index);

// Lines split at CR LF, a lone CR or a lone LF; nothing trimmed. A last line without an end
// still counts; an empty text has no lines.
std::vector<std::string> SplitListLines(const std::string& text);
// Each line followed by CR LF.
std::string JoinListLines(const std::vector<std::string>& lines);

// A Windows profile file, seen through its two functions.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    // The value, at most 1023 characters; the default when the key is missing.
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) = 0;
    // Raises FileError("Unable to write to <file name>") when the write is refused.
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// The settings as the properties window holds them in its controls.
class SettingsControls {
  public:
    virtual ~SettingsControls() = default;
    virtual int RoutineModeIndex() const = 0; // optProcessing, -1 none
    virtual int SpecialModeIndex() const = 0; // optOutward
    virtual bool IgnoreWrappedKeysChecked() const = 0;
    virtual bool ForceKeyReadChecked() const = 0;
    virtual std::vector<std::string> MailingListEntries() const = 0;
    virtual std::vector<std::string> ActiveEntries() const = 0;
    virtual HotKey HotKeyChoice() const = 0;

    virtual void SetRoutineModeIndex(int index) = 0;
    virtual void SetSpecialModeIndex(int index) = 0;
    virtual void SetIgnoreWrappedKeysChecked(bool checked) = 0;
    virtual void SetForceKeyReadChecked(bool checked) = 0;
    virtual void SetMailingListEntries(const std::vector<std::string>& entries) = 0;
    // Removes a leading SameDriverMark from each active entry, in the list itself.
    virtual void StripActiveMarks() = 0;
    virtual void SetShowTipsChecked(bool checked) = 0;
    // chosen: the file names the shortcut (the user's own choice), rather than the default.
    virtual void SetHotKeyChoice(const HotKey& keys, bool chosen) = 0;

    // The About page's version label text, for "Version".
    virtual std::string VersionLabelText() = 0;
    // Reads PGP's version through the version label (after PgpMainExe is read).
    virtual void ProbePgpVersion() = 0;
};

extern const char* const SettingsFileName; // "Wextor5.INI"

void LoadSettings(SettingsControls& controls, ProfileStore& settingsFile);
void SaveSettings(SettingsControls& controls, ProfileStore& settingsFile);
void SaveTipSettings(SettingsControls& controls, ProfileStore& settingsFile);
// "DistInfo" of section "General" of ProgramDir + "DistInfo.Dat".
std::string ReadDistributionText(ProfileStore& distInfo);
