// The help paths: the help engine gets the help file in the program's folder and the right page
// or popup text for each context.
#include "support/helpbox_win.h"
#include "wintest.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <string>
#include <vector>

using namespace wintest;

namespace {

class HelpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = SetHelpHook([this](const HelpCall& call) { calls.push_back(call); });
    }
    void TearDown() override { SetHelpHook(saved_); }
    std::vector<HelpCall> calls;

  private:
    HelpHook saved_;
};

TEST_F(HelpTest, TopicsAndPopupsGoToTheHelpFileInTheGivenFolder) {
    const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    ShowHelpTopic(owner, "C:\\Program Files\\Wextor 5\\", 9002);
    ShowHelpPopup(owner, "C:\\Program Files\\Wextor 5\\", 9101, POINT{10, 20});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].target, "C:\\Program Files\\Wextor 5\\Wextor5.chm::/ctx9002.htm");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(calls[1].target, "C:\\Program Files\\Wextor 5\\Wextor5.chm::/cshelp.txt");
    EXPECT_EQ(calls[1].command, static_cast<UINT>(HH_DISPLAY_TEXT_POPUP));
    EXPECT_EQ(calls[1].context, 9101u);
}

} // namespace

// A help file that is not there: HTML Help opens nothing, and the user is told once, whether a
// topic, a popup (which falls back to its topic) or another program's file was asked for.
TEST(HelpMissing, EachRequestSaysTheFileCouldNotBeOpened) {
    BoxAnswerer boxes;
    const std::string folder = "C:\\no such folder\\";
    ShowHelpTopic(nullptr, folder, 9002);
    ShowHelpPopup(nullptr, folder, 9101, POINT{10, 20});
    ShowHelpFile(nullptr, folder + "PGP50.chm");
    const std::vector<std::string> expected = {
        "The help file C:\\no such folder\\Wextor5.chm could not be opened.",
        "The help file C:\\no such folder\\Wextor5.chm could not be opened.",
        "The help file C:\\no such folder\\PGP50.chm could not be opened."};
    ASSERT_EQ(boxes.asked().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(boxes.asked()[i].text, expected[i]);
        EXPECT_EQ(boxes.asked()[i].icon, MsgIcon::Warning);
        EXPECT_EQ(boxes.asked()[i].buttons, static_cast<unsigned>(mbOK));
    }
    CloseHelp();
}
