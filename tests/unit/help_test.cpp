#include "support/help.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

TEST(Help, TargetsNameThePageOfTheContextInTheHelpFile) {
    struct Case {
        unsigned context;
        const char* topic;
    } cases[] = {
        {4000, "C:\\W 5\\Wextor5.chm::/ctx4000.htm"},
        {3, "C:\\W 5\\Wextor5.chm::/ctx3.htm"},
        {0, "C:\\W 5\\Wextor5.chm::/index.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpTopicTarget("C:\\W 5\\", c.context), c.topic) << c.context;
    EXPECT_EQ(HelpPopupTarget("C:\\W 5\\"), "C:\\W 5\\Wextor5.chm::/cshelp.txt");
}

#if defined(WEXTOR_HELP_CHM) && !defined(_WIN32)
namespace {

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;)
            out.append(buffer, n);
        pclose(p);
    }
    return out;
}

// The contexts the tips file names (its first field), besides the program's own.
std::set<unsigned> AskedContexts() {
    std::set<unsigned> asked(ProgramHelpContexts().begin(), ProgramHelpContexts().end());
    std::ifstream tips(WEXTOR_DIST_DIR "/tips.dat");
    for (std::string line; std::getline(tips, line);)
        if (!line.empty() && line[0] >= '0' && line[0] <= '9')
            asked.insert(static_cast<unsigned>(std::stoul(line)));
    return asked;
}

} // namespace

// The built help file, read back: every context the program or a tip can ask for has its page,
// and every one the program asks a "?" popup for has its text.
TEST(HelpFile, EveryContextAskedForResolvesToATopic) {
    const std::string listing = Output("chmls list -n '" WEXTOR_HELP_CHM "' 2>/dev/null");
    ASSERT_NE(listing.find("/index.htm"), std::string::npos) << listing;
    const std::set<unsigned> asked = AskedContexts();
    EXPECT_GT(asked.size(), ProgramHelpContexts().size()); // the tips added some
    for (unsigned context : asked)
        EXPECT_NE(listing.find("/" + HelpTopicPage(context) + "\n"), std::string::npos)
            << context << " has no page";

    const std::string popups = Output("cd /tmp && chmls extract '" WEXTOR_HELP_CHM
                                      "' /cshelp.txt /dev/stdout 2>/dev/null");
    for (unsigned context : ProgramHelpContexts())
        EXPECT_NE(popups.find(".topic " + std::to_string(context) + "\n"), std::string::npos)
            << context << " has no popup text";
}
#endif
