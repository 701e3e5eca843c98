#include "app/global.h"
#include "support/deblog.h"
#include "support/msgbox.h"
#include "support/readastr.h"
#include "test_dir.h"
#include "winctl/WinExecW.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class WinExecChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 3101;
        previous = SetMsgBoxHandler([this](const MsgBoxRequest& r) {
            boxes.push_back(r);
            return mrOk;
        });
    }
    void TearDown() override {
        SetMsgBoxHandler(previous);
        StepCode = 0;
    }
    TestDir dir;
    std::vector<MsgBoxRequest> boxes;
    MsgBoxHandler previous;
};
} // namespace

TEST_F(WinExecChecks, LongestCommandLineFitsOneMoreIsRefused) {
    const std::string fits = "C:\\MFD\\driver.exe " + std::string(511 - 18, 'a');
    ASSERT_EQ(fits.size(), 511u);
    EXPECT_TRUE(AcceptCommandLine(fits));
    EXPECT_TRUE(AcceptCommandLine(""));
    EXPECT_TRUE(boxes.empty());

    const std::string tooLong = fits + "b";
    EXPECT_FALSE(AcceptCommandLine(tooLong));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error in WinExecAndWait32 command line of 512 characters, longer "
                             "than 511.3101 with " +
                                 tooLong);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_NE(ReadFileString(DebugLogPath()).find(boxes[0].text), std::string::npos);
}

TEST_F(WinExecChecks, ZeroCharacterIsRefusedNotCut) {
    EXPECT_FALSE(AcceptCommandLine(std::string("prog.exe a\0b", 12)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Error in WinExecAndWait32 command line with a zero character at 11.3101 with "
              "prog.exe a");
}
