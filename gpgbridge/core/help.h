// The bridge's help: PGPBridge.chm in the bridge's folder, one page per topic. The "PGP" prefix
// lets mail tools that look for PGP*.chm (or PGP*.Hlp) in PGP's folder find it.
#pragma once
#include <string>
#include <vector>

extern const char* const BridgeHelpFileName; // "PGPBridge.chm"

enum class HelpTopic { Overview, Recipients, Decrypted, Keys, Preferences, FindingGnupg, Trouble };

// The topic's page inside the help file ("recipients.htm").
std::string HelpPage(HelpTopic topic);
// What HTML Help opens: "<folder>PGPBridge.chm::/recipients.htm"; folder ends in a backslash.
std::string HelpTarget(const std::string& folder, HelpTopic topic);
// Every topic the bridge opens.
const std::vector<HelpTopic>& AllHelpTopics();
