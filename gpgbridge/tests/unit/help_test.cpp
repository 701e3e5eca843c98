#include "help.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

TEST(BridgeHelp, TargetsNameADistinctPageInTheBridgesHelpFile) {
    EXPECT_EQ(HelpTarget("C:\\Program Files\\GnuPG bridge\\", HelpTopic::Recipients),
              "C:\\Program Files\\GnuPG bridge\\PGPBridge.chm::/recipients.htm");
    std::set<std::string> pages;
    for (HelpTopic topic : AllHelpTopics())
        EXPECT_TRUE(pages.insert(HelpPage(topic)).second) << HelpPage(topic);
    EXPECT_EQ(pages.size(), 7u);
}

#if defined(BRIDGE_HELP_CHM) && !defined(_WIN32)
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
} // namespace

// The built file, read back: every page the bridge opens is in it, with its text.
TEST(BridgeHelpFile, EveryTopicTheBridgeOpensIsThere) {
    const std::string listing = Output("chmls list -n '" BRIDGE_HELP_CHM "' 2>/dev/null");
    ASSERT_NE(listing.find("/index.htm\n"), std::string::npos) << listing;
    for (HelpTopic topic : AllHelpTopics()) {
        const std::string page = HelpPage(topic);
        EXPECT_NE(listing.find("/" + page + "\n"), std::string::npos) << page << " is missing";
        const std::string text = Output("cd /tmp && chmls extract '" BRIDGE_HELP_CHM "' /" + page +
                                        " /dev/stdout 2>/dev/null");
        EXPECT_NE(text.find("<h2 id=\"ctx-"), std::string::npos) << page;
        EXPECT_GT(text.size(), 400u) << page << " says almost nothing";
    }
}
#endif
