#include "app/settings.h"

#include "app/global.h"
#include "common/hexdigits.h"
#include "support/textfile.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/fileutil.h"
#include "support/platform.h"
#include "support/readastr.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {
bool ParseDecimal(const std::string& text, long long& value) {
    // The profile functions give the value trimmed; a sign and digits only, nothing else.
    if (text.empty())
        return false;
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (i == text.size())
        return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    errno = 0;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return errno == 0 && value >= INT_MIN && value <= INT_MAX;
}
} // namespace

int DecodeIntValue(const std::string& text, int defaultValue) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t bits = 0; // the 32-bit pattern
        return ParseHex32(text.substr(2), bits) ? static_cast<int>(bits) : defaultValue;
    }
    long long value = 0;
    return ParseDecimal(text, value) ? static_cast<int>(value) : defaultValue;
}

bool DecodeBoolValue(const std::string& text, bool defaultValue) {
    return DecodeIntValue(text, defaultValue ? 1 : 0) != 0;
}

std::string EncodeIntValue(int value) {
    return std::to_string(value);
}

std::string EncodeBoolValue(bool value) {
    return value ? "1" : "0";
}

int ClampRadioIndex(int index) {
    if (index < -1)
        return -1;
    if (index > 2)
        return 2;
    return index;
}

std::vector<std::string> SplitListLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines.push_back(current);
    return lines;
}

std::string JoinListLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const char* const SettingsFileName = "Wextor5.INI";

namespace {
const char* const kGeneral = "General";
const char* const kHotKey = "Hotkey";
// What a missing key reads as; a profile line cannot hold it.
const char* const kMissing = "\x01";

int ReadInt(ProfileStore& file, const char* key, int defaultValue) {
    return DecodeIntValue(file.ReadString(kGeneral, key, ""), defaultValue);
}
bool ReadBool(ProfileStore& file, const char* key, bool defaultValue) {
    return DecodeBoolValue(file.ReadString(kGeneral, key, ""), defaultValue);
}
} // namespace

void LoadSettings(SettingsControls& controls, ProfileStore& settingsFile) {
    const std::string mailingList = DataFolder() + "MailingList.dat";
    controls.SetMailingListEntries(platform::FileExists(mailingList)
                                       ? SplitListLines(TextFileToUtf8(ReadFileString(mailingList)))
                                       : std::vector<std::string>());
    DebugLog("Loaded Mailing List File");
    StepCode = 1002;
    controls.SetRoutineModeIndex(ClampRadioIndex(ReadInt(settingsFile, "optProcessing", 0)));
    controls.SetSpecialModeIndex(ClampRadioIndex(ReadInt(settingsFile, "optOutward", 0)));
    StepCode = 1004;
    RecentPage = ReadInt(settingsFile, "RecentPage", 2);
    StepCode = 1006;
    controls.SetIgnoreWrappedKeysChecked(ReadBool(settingsFile, "chkIgnoreWrappedKeys", false));
    controls.SetForceKeyReadChecked(ReadBool(settingsFile, "chkForceKeyRead", false));
    // On unless the user says otherwise: the shortcut is there for one who never looks.
    const std::string hotKey = settingsFile.ReadString(kGeneral, kHotKey, kMissing);
    if (hotKey == kMissing)
        controls.SetHotKeyChoice(DefaultHotKey, false);
    else
        controls.SetHotKeyChoice(ParseHotKey(hotKey), true);
    StepCode = 1011;
    TipNumber = ReadInt(settingsFile, "TipNumber", 0);
    TipEnabled = ReadBool(settingsFile, "TipEnabled", true);
    StepCode = 1012;
    settingsFile.WriteString(kGeneral, "LocalRoot", ProgramDir);
    settingsFile.WriteString(kGeneral, "Version", controls.VersionLabelText());
    PgpMainExe = settingsFile.ReadString("PGP", "Mainexe", "");
    controls.ProbePgpVersion();
    StepCode = 1013;
}

void SaveSettings(SettingsControls& controls, ProfileStore& settingsFile) {
    StepCode = 1102;
    settingsFile.WriteString(kGeneral, "optProcessing",
                             EncodeIntValue(controls.RoutineModeIndex()));
    StepCode = 1104;
    settingsFile.WriteString(kGeneral, "optOutward", EncodeIntValue(controls.SpecialModeIndex()));
    StepCode = 1105;
    settingsFile.WriteString(kGeneral, "chkIgnoreWrappedKeys",
                             EncodeBoolValue(controls.IgnoreWrappedKeysChecked()));
    settingsFile.WriteString(kGeneral, "chkForceKeyRead",
                             EncodeBoolValue(controls.ForceKeyReadChecked()));
    settingsFile.WriteString(kGeneral, "RecentPage", EncodeIntValue(RecentPage));
    settingsFile.WriteString(kGeneral, kHotKey, FormatHotKey(controls.HotKeyChoice()));
    StepCode = 1199;
    WriteFileString(DataFolder() + "MailingList.dat",
                    TextFileBytes(JoinListLines(controls.MailingListEntries())));
    controls.StripActiveMarks();
    WriteFileString(DataFolder() + "ActiveMailers.dat", JoinListLines(controls.ActiveEntries()));
}

void SaveTipSettings(SettingsControls& controls, ProfileStore& settingsFile) {
    settingsFile.WriteString(kGeneral, "TipNumber", EncodeIntValue(TipNumber));
    settingsFile.WriteString(kGeneral, "TipEnabled", EncodeBoolValue(TipEnabled));
    controls.SetShowTipsChecked(TipEnabled);
}

std::string ReadDistributionText(ProfileStore& distInfo) {
    return distInfo.ReadString(kGeneral, "DistInfo", "");
}
