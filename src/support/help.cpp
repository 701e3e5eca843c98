#include "support/help.h"

const char* const HelpFileName = "Wextor5.chm";

std::string HelpTopicPage(unsigned context) {
    return context == 0 ? "index.htm" : "ctx" + std::to_string(context) + ".htm";
}

std::string HelpTopicTarget(const std::string& folder, unsigned context) {
    return folder + HelpFileName + "::/" + HelpTopicPage(context);
}

std::string HelpPopupTarget(const std::string& folder) {
    return folder + HelpFileName + "::/cshelp.txt";
}

const std::vector<unsigned>& ProgramHelpContexts() {
    // Pages (4000-4004), Unload (19), controls of the pages and the chooser, the boxes' Help.
    static const std::vector<unsigned> contexts = {4000, 4001, 4002, 4003, 4004, 19,   3,    1004,
                                                   1005, 2000, 2001, 9000, 9002, 9003, 9020, 9022,
                                                   9050, 9101, 9102, 9103, 9104, 9200};
    return contexts;
}
