#include "settings_win.h"

#include <windows.h>

namespace {

const char kFile[] = "GpgBridge.INI";
const char kSection[] = "GnuPG";

std::string Read(const char* key, const char* fallback) {
    char value[4096] = {};
    GetPrivateProfileStringA(kSection, key, fallback, value, sizeof value, kFile);
    return value;
}

void Write(const char* key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key, value.c_str(), kFile);
}

} // namespace

BridgeSettings LoadSettings() {
    BridgeSettings settings;
    settings.gpgPath = Read("GpgPath", "");
    settings.defaultKey = Read("DefaultKey", "");
    settings.encryptToSelf = ParseFlag(Read("EncryptToSelf", "1"), true);
    settings.lastRecipients = SplitKeyIds(Read("LastRecipients", ""));
    return settings;
}

void SaveSettings(const BridgeSettings& settings) {
    Write("GpgPath", settings.gpgPath);
    Write("DefaultKey", settings.defaultKey);
    Write("EncryptToSelf", settings.encryptToSelf ? "1" : "0");
    Write("LastRecipients", JoinKeyIds(settings.lastRecipients));
}
