#include "help.h"

const char* const BridgeHelpFileName = "PGPBridge.chm";

std::string HelpPage(HelpTopic topic) {
    // The ids of the topics' headings in help/PGPBridge-help.html.
    switch (topic) {
    case HelpTopic::Overview:
        return "overview.htm";
    case HelpTopic::Recipients:
        return "recipients.htm";
    case HelpTopic::Decrypted:
        return "decrypted.htm";
    case HelpTopic::Keys:
        return "keys.htm";
    case HelpTopic::Preferences:
        return "preferences.htm";
    case HelpTopic::FindingGnupg:
        return "findgpg.htm";
    case HelpTopic::Trouble:
        return "trouble.htm";
    }
    return "index.htm";
}

std::string HelpTarget(const std::string& folder, HelpTopic topic) {
    return folder + BridgeHelpFileName + "::/" + HelpPage(topic);
}

const std::vector<HelpTopic>& AllHelpTopics() {
    static const std::vector<HelpTopic> topics = {
        HelpTopic::Overview,    HelpTopic::Recipients,   HelpTopic::Decrypted, HelpTopic::Keys,
        HelpTopic::Preferences, HelpTopic::FindingGnupg, HelpTopic::Trouble};
    return topics;
}
