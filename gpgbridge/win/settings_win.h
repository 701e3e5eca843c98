// The bridge's settings in "GpgBridge.INI" in the Windows folder, section "GnuPG".
#pragma once
#include "settings.h"

BridgeSettings LoadSettings();
void SaveSettings(const BridgeSettings& settings);
