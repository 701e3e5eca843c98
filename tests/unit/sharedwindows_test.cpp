// What Wextor 5 and its driver pack agree on about windows: how the window the user worked in is
// named to a driver, and which windows are the shell's.
#include "common/asciicase.h"
#include "common/shellwindows.h"
#include "common/targetwindow.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(TargetWindowContract, WhatWextorWritesTheDriverReadsBack) {
    const std::uintptr_t handles[] = {1, 0x1A2B, 0xFFFF, 0x7FFFFFFF,
                                      static_cast<std::uintptr_t>(-1)};
    for (std::uintptr_t h : handles) {
        unsigned long long read = 0;
        EXPECT_TRUE(ParseTargetWindow(TargetWindowValue(h), read)) << h;
        EXPECT_EQ(read, static_cast<unsigned long long>(h));
    }
}

TEST(ShellWindows, TheShellsOwnLetterCaseIgnored) {
    const struct {
        const char *cls, *title;
        bool shell;
    } cases[] = {
        {"Shell_TrayWnd", "", true},
        {"shell_traywnd", "", true},
        {"TopLevelWindowForOverflowXamlIsland", "System tray overflow window.", true},
        {"NotifyIconOverflowWindow", "", true},
        {"#32769", "", true},
        {"#32768", "", true},
        {"WineTrayClass", "Wine System Tray", true},
        {"Notepad", "Untitled - Notepad", false},
        {"Shell_TrayWndX", "", false},
        {"Notepad", "wine system tray", false}, // a title is compared exactly
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsShellWindow(c.cls, c.title), c.shell) << c.cls << " / " << c.title;
}

TEST(AsciiCase, OnlyAsciiLettersFold) {
    const struct {
        const char *a, *b;
        int order;
    } cases[] = {
        {"Wextor5.exe", "WEXTOR5.EXE", 0},
        {"Num", "num", 0},
        {"A", "b", -1},
        {"b", "A", 1},
        {"ab", "AB_", -1},
        {"", "", 0},
        {"\xC3\xA4", "\xC3\x84", 1}, // "ä" and "Ä" stay apart: their bytes differ beyond ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareIgnoringAsciiCase(c.a, c.b), c.order) << c.a << " / " << c.b;
        EXPECT_EQ(EqualIgnoringAsciiCase(c.a, c.b), c.order == 0) << c.a << " / " << c.b;
    }
}
