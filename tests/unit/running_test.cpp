#include "processing/running.h"

#include <gtest/gtest.h>

TEST(RunningWindow, KeepsFiftyPixelsFromTheEdges) {
    struct Case {
        ScreenPoint cursor, expected;
    } cases[] = {
        {{0, 0}, {137 + 50, 23 + 50}},                   // top-left: size plus 50
        {{1023, 767}, {1024 - 137 - 50, 768 - 23 - 50}}, // bottom-right: 50 inside
        {{500, 400}, {500, 400}},
        {{187, 73}, {187, 73}},
        {{186, 72}, {187, 73}},
    };
    for (const Case& c : cases) {
        const ScreenPoint p = RunningWindowPosition(c.cursor, 137, 23, 1024, 768);
        EXPECT_EQ(p.x, c.expected.x) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(p.y, c.expected.y) << c.cursor.x << "," << c.cursor.y;
    }
}
