#include "target.h"

#include <gtest/gtest.h>

using mfdpack::TargetRecord;
using mfdpack::WindowNow;

namespace {

const TargetRecord kRead = {0x2A0B4, 4242, 133500000000000000ull};

WindowNow Now(bool exists, bool visible, std::uint32_t pid, std::uint64_t start) {
    WindowNow n;
    n.exists = exists;
    n.visible = visible;
    n.processId = pid;
    n.processStart = start;
    return n;
}

} // namespace

TEST(Target, OnlyTheWindowThatWasReadPasses) {
    const std::uint64_t start = kRead.processStart;
    const struct {
        const char* what;
        TargetRecord then;
        WindowNow now;
        bool same;
    } cases[] = {
        {"the same window", kRead, Now(true, true, 4242, start), true},
        {"closed", kRead, Now(false, false, 0, 0), false},
        {"hidden, as a program hides a sent form", kRead, Now(true, false, 4242, start), false},
        {"handle given to another process", kRead, Now(true, true, 5151, start), false},
        {"process id given out again", kRead, Now(true, true, 4242, start + 1), false},
        {"process no longer answers", kRead, Now(true, true, 4242, 0), false},
        {"read without a start time", {0x2A0B4, 4242, 0}, Now(true, true, 4242, 0), false},
        {"no window remembered", {0, 0, 0}, Now(true, true, 0, 0), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::SameTarget(c.then, c.now), c.same) << c.what;
}

TEST(Target, TextRoundTripsAndAnythingElseNamesNoWindow) {
    const TargetRecord big = {UINT64_MAX, UINT32_MAX, UINT64_MAX};
    for (const TargetRecord& t : {kRead, big}) {
        TargetRecord back;
        ASSERT_TRUE(mfdpack::ParseTargetText(mfdpack::TargetText(t), back));
        EXPECT_EQ(back.window, t.window);
        EXPECT_EQ(back.processId, t.processId);
        EXPECT_EQ(back.processStart, t.processStart);
    }
    EXPECT_EQ(mfdpack::TargetText(kRead),
              "Window=172212\r\nProcess=4242\r\nStarted=133500000000000000\r\n");
    const char* const broken[] = {
        "",
        "Window=1\r\nProcess=2\r\n",
        "Window=1\r\nProcess=2\r\nStarted=3",
        "Window=1\r\nProcess=2\r\nStarted=3\r\nmore",
        "Window=1\r\nStarted=3\r\nProcess=2\r\n",
        "Window=-1\r\nProcess=2\r\nStarted=3\r\n",
        "Window=\r\nProcess=2\r\nStarted=3\r\n",
        "Window=1\r\nProcess=4294967296\r\nStarted=3\r\n",
        "Window=18446744073709551616\r\nProcess=2\r\nStarted=3\r\n",
    };
    for (const char* text : broken) {
        TargetRecord t;
        EXPECT_FALSE(mfdpack::ParseTargetText(text, t)) << text;
    }
}
