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
