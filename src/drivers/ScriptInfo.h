// The description a Mail Form Script carries in its section "Information", keys 1 to 100.
#pragma once

#include <functional>
#include <string>

extern const char* const ScriptInfoSection; // "Information"
constexpr int ScriptInfoLineCount = 100;

// "Mail Form Script - " + MfdDirectory + "\" + the driver file.
std::string ScriptInfoCaption(const std::string& driverFile);
// The profile file of the script: MfdDirectory + "\" + the driver file.
std::string ScriptInfoFile(const std::string& driverFile);
// Lines 1..100 as read(section, key) gives them, each followed by CR LF.
std::string ScriptInfoText(
    const std::function<std::string(const std::string& section, const std::string& key)>& read);
