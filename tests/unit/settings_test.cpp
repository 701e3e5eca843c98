#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SettingsValues, IntegersAndBooleans) {
    struct Case {
        const char* text;
        int defaultValue;
        int expected;
    } cases[] = {
        {"0x1A", 0, 26},       {"0X1a", 0, 26},       {"abc", 0, 0},  {"", 2, 2},
        {"7", 0, 7},           {"-5", 0, -5},         {"0x", 9, 9},   {"0x7FFFFFFF", 0, INT_MAX},
        {"0xFFFFFFFF", 0, -1}, {"0x123456789", 3, 3}, {"0xZZ", 4, 4}, {"12abc", 5, 5},
        {"99999999999", 6, 6}, {"+3", 0, 3},          {"010", 0, 10}, {"0", 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeIntValue(c.text, c.defaultValue), c.expected) << "'" << c.text << "'";

    EXPECT_TRUE(DecodeBoolValue("2", false));
    EXPECT_TRUE(DecodeBoolValue("-1", false));
    EXPECT_FALSE(DecodeBoolValue("0", true));
    EXPECT_TRUE(DecodeBoolValue("", true)); // missing: the default
    EXPECT_FALSE(DecodeBoolValue("yes", false));
    EXPECT_EQ(EncodeBoolValue(DecodeBoolValue("2", false)), "1");
    EXPECT_EQ(EncodeIntValue(-1), "-1");
}

TEST(SettingsValues, RadioIndexClamp) {
    const int in[] = {-5, -1, 0, 1, 2, 3, 7};
    const int out[] = {-1, -1, 0, 1, 2, 2, 2};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ClampRadioIndex(in[i]), out[i]) << in[i];
}

TEST(SettingsValues, ListLines) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitListLines(""), V{});
    EXPECT_EQ(SplitListLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitListLines(" a \r\n\r\n"), (V{" a ", ""}));
    EXPECT_EQ(SplitListLines("\n\r"), (V{"", ""}));
    EXPECT_EQ(SplitListLines("x\r\r\n"), (V{"x", ""}));
    EXPECT_EQ(JoinListLines({" a ", "B"}), " a \r\nB\r\n");
    EXPECT_EQ(SplitListLines(JoinListLines({"one", " two "})), (V{"one", " two "}));
}

#include "app/Just1_32.h"

TEST(SingleInstance, DerivedTitle) {
    EXPECT_EQ(DerivedInstanceTitle("WEXTOR5.EXE"), "WEXTOR5");
    EXPECT_EQ(DerivedInstanceTitle("Wextor5.EXE"), "Wextor5");
    EXPECT_EQ(DerivedInstanceTitle("Wextor5.exe"), "");
    EXPECT_EQ(DerivedInstanceTitle("A.EXE.bak"), "A.EXE"); // the last four characters go
    EXPECT_EQ(DerivedInstanceTitle(""), "");
}

#include "app/appexception.h"
#include "app/global.h"
#include "support/msgbox.h"
#include "support/platform.h"
#include "test_dir.h"

TEST(AppException, ReportsClassNameAndUhMessage) {
    TestDir dir;
    ProgramDir = dir.path();
    StepCode = 4410;
    std::vector<MsgBoxRequest> boxes;
    MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest& r) {
        boxes.push_back(r);
        return mrOk;
    });
    GuardHandler([] { throw FileError("disk gone"); });
    GuardHandler([] {});
    SetMsgBoxHandler(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error in FileError.4410 with UH disk gone");
    EXPECT_EQ(boxes[0].caption, "Warning");
}

#include "app/startup.h"

TEST(StartUp, SwitchesAndDailyTick) {
    EXPECT_TRUE(HasSilentSwitch("/s"));
    EXPECT_TRUE(HasSilentSwitch("/silent"));
    EXPECT_TRUE(HasSilentSwitch("x/i/s"));
    EXPECT_FALSE(HasSilentSwitch("/S"));
    EXPECT_FALSE(HasSilentSwitch(""));
    EXPECT_TRUE(HasInvisibleSwitch("/s/i"));
    int ticks = 0;
    int daily = 0;
    for (int i = 0; i < 14401; ++i)
        daily += TimerTickIsDaily(ticks) ? 1 : 0;
    EXPECT_EQ(daily, 1); // the 14401st tick
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(TimerTickIsDaily(ticks));
    EXPECT_EQ(ticks, 1);
}
