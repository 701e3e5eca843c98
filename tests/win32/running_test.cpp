#include "processing/running_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

using namespace wintest;

TEST(RunningWindow, ShowsByTheCursorWithItsSizes) {
    struct Case {
        POINT cursor;
        POINT expected;
    } cases[] = {
        {{0, 0}, {137 + 50, 23 + 50}},
        {{1023, 767}, {1024 - 137 - 50, 768 - 23 - 50}},
        {{400, 300}, {400, 300}},
    };
    // Wine moves the X pointer only once it has a window mapped; before that the position
    // given by SetCursorPos is lost at the first window.
    HWND anchor = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "anchor", WS_POPUP | WS_VISIBLE, 0, 0,
                                  1, 1, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    for (const Case& c : cases) {
        ASSERT_TRUE(SetCursorPos(c.cursor.x, c.cursor.y));
        // Under Wine the new position reaches GetCursorPos through X, not at once.
        ASSERT_TRUE(PollUntil([&] {
            POINT p;
            return GetCursorPos(&p) && p.x == c.cursor.x && p.y == c.cursor.y;
        }));
        TfrmRunning running(nullptr);
        ASSERT_NE(running.handle(), nullptr);
        EXPECT_TRUE(IsWindowVisible(running.handle()));
        char title[64] = "";
        GetWindowTextA(running.handle(), title, sizeof title);
        EXPECT_STREQ(title, "PGP Running");
        EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), running.handle());
        RECT r;
        GetWindowRect(running.handle(), &r);
        EXPECT_EQ(r.left, c.expected.x) << "cursor " << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(r.top, c.expected.y) << "cursor " << c.cursor.x << "," << c.cursor.y;
        GetClientRect(running.handle(), &r);
        EXPECT_EQ(r.right, 137);
        EXPECT_EQ(r.bottom, 23);
        EXPECT_TRUE(GetWindowLongA(running.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(running.Progress(), 5);
        running.SetProgress(83);
        EXPECT_EQ(running.Progress(), 83);
    }
    DestroyWindow(anchor);
    EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), nullptr) << "window left behind";
}
