// The bridge's settings in "GpgBridge.INI", section "GnuPG": in the Windows folder, or per user
// where that folder refuses writes (ChooseSettingsPlace).
#pragma once
#include "settings.h"

// The file, chosen (and the old one carried over) at the first call.
const std::string& SettingsFile();

BridgeSettings LoadSettings();
void SaveSettings(const BridgeSettings& settings);
