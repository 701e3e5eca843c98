#include "frontwindow.h"

#include <gtest/gtest.h>

using mfdpack::WindowFacts;

namespace {

WindowFacts App(const std::string& title, const std::string& cls = "AppMain",
                const std::string& process = "app.exe") {
    WindowFacts w;
    w.title = title;
    w.className = cls;
    w.processName = process;
    return w;
}

WindowFacts Hidden(WindowFacts w) {
    w.visible = false;
    return w;
}
WindowFacts Tool(WindowFacts w) {
    w.toolWindow = true;
    return w;
}
WindowFacts NoActivate(WindowFacts w) {
    w.noActivate = true;
    return w;
}
WindowFacts Own(WindowFacts w) {
    w.ownProcess = true;
    return w;
}
WindowFacts Cloaked(WindowFacts w) {
    w.cloaked = true;
    return w;
}

} // namespace

TEST(FrontWindow, PassesOverWhatNoOneWritesIn) {
    const struct {
        const char* what;
        WindowFacts window;
    } passedOver[] = {
        {"hidden", Hidden(App("Draft - Editor"))},
        {"tool window", Tool(App("Colours"))},
        {"the driver's own", Own(App("FRONTMFD"))},
        {"never active (a tray)", NoActivate(App("Wine System Tray", "Tray", "explorer.exe"))},
        {"no title", App("")},
        {"blank title", App("   ")},
        {"Wextor's progress window", App("PGP Running", "WextorRunning", "Wextor5.exe")},
        {"Wextor's other windows, any case", App("Wextor 5", "TfrmProps", "WEXTOR5.EXE")},
        {"a renamed Wextor's progress window", App("PGP Running", "X", "w5.exe")},
        {"taskbar", App("Taskbar", "Shell_TrayWnd", "explorer.exe")},
        {"desktop", App("Program Manager", "Progman", "explorer.exe")},
        {"Wine's tray", App("Wine System Tray", "WineTray", "explorer.exe")},
        {"desktop worker", App("x", "WorkerW", "explorer.exe")},
        {"menu", App("menu", "#32768")},
        {"cloaked: another desktop, a suspended app", Cloaked(App("Inbox - Mail"))},
        {"Windows 11's tray overflow", App("", "NotifyIconOverflowWindow", "explorer.exe")},
        {"the overflow of Windows 11 22H2 on, titled",
         App("System tray overflow window.", "TopLevelWindowForOverflowXamlIsland",
             "explorer.exe")},
        {"second taskbar", App("x", "Shell_SecondaryTrayWnd", "explorer.exe")},
    };
    for (const auto& c : passedOver)
        EXPECT_FALSE(mfdpack::CanBeInFront(c.window)) << c.what;
    EXPECT_TRUE(mfdpack::CanBeInFront(App("Untitled - Notepad", "Notepad", "notepad.exe")));
    // A browser's or a file manager's window counts even though it comes from the shell's process.
    EXPECT_TRUE(mfdpack::CanBeInFront(App("Downloads", "CabinetWClass", "explorer.exe")));
}

TEST(FrontWindow, TakesTheHighestUsableInZOrder) {
    const std::vector<WindowFacts> z = {
        App("PGP Running", "WextorRunning", "Wextor5.exe"),
        Tool(App("Find")),
        Hidden(App("Hidden mail")),
        App("Taskbar", "Shell_TrayWnd", "explorer.exe"),
        App("Inbox - Mail", "MailMain", "mail.exe"),
        App("Untitled - Notepad", "Notepad", "notepad.exe"),
    };
    EXPECT_EQ(mfdpack::PickFrontWindow(z), 4u);
}

TEST(FrontWindow, NoneWhenNothingUsable) {
    EXPECT_EQ(mfdpack::PickFrontWindow({}), mfdpack::NoWindow);
    EXPECT_EQ(mfdpack::PickFrontWindow(
                  {Own(App("x")), App("", "Edit"), App("Program Manager", "Progman")}),
              mfdpack::NoWindow);
}

TEST(FrontWindow, TitleFragmentIsAPieceOfTheTitle) {
    const struct {
        std::string title, fragment;
    } cases[] = {
        {"Untitled - Notepad", "Untitled - Notepad"},
        {"  padded  ", "padded"},
        {"first line\r\nsecond", "first line"},
        {std::string(100, 'a'), std::string(60, 'a')},
        {std::string(59, 'a') + "  b", std::string(59, 'a')},
        // UTF-8: no character is cut in two.
        {std::string(59, 'a') + "\xC3\xBC", std::string(59, 'a')},           // ü
        {std::string(58, 'a') + "\xE2\x82\xAC" + "b", std::string(58, 'a')}, // €
        {std::string(57, 'a') + "\xF0\x9F\x98\x80", std::string(57, 'a')},   // U+1F600
        {std::string(56, 'a') + "\xF0\x9F\x98\x80", std::string(56, 'a') + "\xF0\x9F\x98\x80"},
        {"Письмо Бобу — Почта", "Письмо Бобу — Почта"},
        {std::string(25, 'x') + " 你好，世界。你好，世界。你好，世界。",
         std::string(25, 'x') + " 你好，世界。你好，世界"}, // 26 + 11 * 3 bytes
    };
    for (const auto& c : cases) {
        const std::string f = mfdpack::TitleFragment(c.title);
        EXPECT_EQ(f, c.fragment) << c.title;
        EXPECT_NE(c.title.find(f), std::string::npos) << c.title;
    }
    EXPECT_EQ(std::string(mfdpack::NothingInFrontShort).find_first_of("\r\n"), std::string::npos);
}

// Cloaking cannot be made under Wine: the rule for a window Wextor names is shown here.
TEST(FrontWindow, TakesTheNamedWindowWhileTheUserCanSeeIt) {
    const struct {
        const char* what;
        bool exists;
        WindowFacts window;
        bool taken;
    } cases[] = {
        {"shown", true, App("Inbox - Mail"), true},
        {"a tool window or no title: named, so taken", true, Tool(App("")), true},
        {"gone", false, App("Inbox - Mail"), false},
        {"hidden or minimized", true, Hidden(App("Inbox - Mail")), false},
        {"cloaked", true, Cloaked(App("Inbox - Mail")), false},
        {"the driver's own", true, Own(App("FRONTMFD")), false},
        {"the desktop, which Wine may report in front", true, App("", "#32769", "explorer.exe"),
         false},
        {"the taskbar", true, App("", "Shell_TrayWnd", "explorer.exe"), false},
        {"Wextor's progress window", true, App("PGP Running", "AppMain", "Wextor5.exe"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::TakesNamedWindow(c.exists, c.window), c.taken) << c.what;
}

TEST(FrontWindow, ReadsTheNamedHandle) {
    const struct {
        const char* value;
        bool ok;
        unsigned long long handle;
    } cases[] = {
        {"0x1A2B", true, 0x1A2B},
        {"0x1a2b", true, 0x1A2B},
        {"0xFFFFFFFFFFFFFFFF", true, 0xFFFFFFFFFFFFFFFFull},
        {"0x10000000000000000", false, 0}, // longer than any handle
        {"0x0", false, 0},
        {"0x", false, 0},
        {"1A2B", false, 0},
        {"0x12G", false, 0},
        {" 0x12", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        unsigned long long h = 0;
        EXPECT_EQ(mfdpack::ParseTargetWindow(c.value, h), c.ok) << c.value;
        if (c.ok) {
            EXPECT_EQ(h, c.handle) << c.value;
        }
    }
    // The name Wextor 5 writes is the one the drivers read.
    EXPECT_STREQ(mfdpack::TargetWindowVariable, "WEXTOR_TARGET_WINDOW");
}
