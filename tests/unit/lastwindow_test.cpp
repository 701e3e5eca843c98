// The window a run works on: which foreground windows count as the user's, the short memory of
// them, and how the driver is told. Cloaking cannot be made under Wine: its rule is shown here.
#include "drivers/mfdcaller.h"
#include "winctl/lastwindow.h"

#include <gtest/gtest.h>

namespace {

ForegroundFacts Window(const char* cls, const char* title = "Inbox - Mail") {
    ForegroundFacts f;
    f.className = cls;
    f.title = title;
    return f;
}

ForegroundFacts With(ForegroundFacts f, bool own, bool cloaked, bool visible) {
    f.ownProcess = own;
    f.cloaked = cloaked;
    f.visible = visible;
    return f;
}

} // namespace

TEST(LastWindow, WhichForegroundWindowsAreTheUsers) {
    const struct {
        const char* what;
        ForegroundFacts window;
        bool counts;
    } cases[] = {
        {"a mail client", Window("MailMain"), true},
        {"a browser without a title", Window("Chrome_WidgetWin_1", ""), true},
        {"a file manager of the shell's process", Window("CabinetWClass", "Downloads"), true},
        {"Wextor's own", With(Window("TfrmProps"), true, false, true), false},
        {"cloaked: another desktop", With(Window("MailMain"), false, true, true), false},
        {"hidden", With(Window("MailMain"), false, false, false), false},
        {"taskbar", Window("Shell_TrayWnd"), false},
        {"second taskbar", Window("Shell_SecondaryTrayWnd"), false},
        {"tray overflow, Windows 10", Window("NotifyIconOverflowWindow"), false},
        {"tray overflow, Windows 11", Window("TopLevelWindowForOverflowXamlIsland"), false},
        {"desktop", Window("Progman", "Program Manager"), false},
        {"desktop worker, any case", Window("workerw", ""), false},
        {"task switcher", Window("MultitaskingViewFrame"), false},
        {"Start", Window("Windows.UI.Core.CoreWindow", "Start"), false},
        {"Wine's tray", Window("Shell_TrayWnd", "Wine System Tray"), false},
        {"the desktop itself", Window("#32769", ""), false},
        {"Wine's stand-alone tray", Window("WineTrayClass", "Wine System Tray"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountsAsUserWindow(c.window), c.counts) << c.what;
}

TEST(LastWindow, HistoryGivesTheNewestStillUsable) {
    UserWindowHistory h;
    const auto all = [](std::uintptr_t) { return true; };
    EXPECT_EQ(h.Latest(all), 0u);
    h.Saw(0x10);
    h.Saw(0x20);
    h.Saw(0x10); // back to the first: it is the newest again, and once only
    EXPECT_EQ(h.Latest(all), 0x10u);
    EXPECT_EQ(h.Latest([](std::uintptr_t w) { return w != 0x10; }), 0x20u);
    EXPECT_EQ(h.Latest([](std::uintptr_t w) { return w == 0x30; }), 0u);
    h.Saw(0); // no window
    EXPECT_EQ(h.Latest(all), 0x10u);
    for (std::uintptr_t w = 1; w <= UserWindowHistory::Depth; ++w)
        h.Saw(w);
    // The oldest are forgotten.
    EXPECT_EQ(h.Latest([](std::uintptr_t w) { return w > 0xF; }), 0u);
}

TEST(LastWindow, TheDriverIsToldForTheProbeAndTheReadOnly) {
    EXPECT_TRUE(RequestNamesWindow(DataFileRequest + std::string("C:\\x\\mfd.tmp")));
    EXPECT_TRUE(RequestNamesWindow(ReadFileRequest + std::string("C:\\x\\mfd.tmp")));
    EXPECT_FALSE(RequestNamesWindow(WriteFileRequest + std::string("C:\\x\\mfd.tmp")));
    EXPECT_FALSE(RequestNamesWindow(""));
}

TEST(LastWindow, ValueIsTheHandleInHex) {
    EXPECT_STREQ(TargetWindowVariable, "WEXTOR_TARGET_WINDOW");
    EXPECT_EQ(TargetWindowValue(0x1A2B), "0x1A2B");
    EXPECT_EQ(TargetWindowValue(static_cast<std::uintptr_t>(-1)).size(),
              2 + 2 * sizeof(std::uintptr_t));
}

TEST(LastWindow, VariableIsSetInACopyOfTheEnvironment) {
    const std::vector<std::string> env = {"=C:=C:\\Mail", "ALLUSERSPROFILE=C:\\ProgramData",
                                          "wextor_target_window=0x1", "ZED=1"};
    const struct {
        const char* what;
        std::vector<std::string> before;
        std::vector<std::string> after;
    } cases[] = {
        {"replaced, any case",
         env,
         {"=C:=C:\\Mail", "ALLUSERSPROFILE=C:\\ProgramData", "WEXTOR_TARGET_WINDOW=0x2", "ZED=1"}},
        {"placed in order",
         {"=C:=C:\\", "A=1", "Z=2"},
         {"=C:=C:\\", "A=1", "WEXTOR_TARGET_WINDOW=0x2", "Z=2"}},
        {"after the drive entries",
         {"=C:=C:\\", "=D:=D:\\"},
         {"=C:=C:\\", "=D:=D:\\", "WEXTOR_TARGET_WINDOW=0x2"}},
        {"empty", {}, {"WEXTOR_TARGET_WINDOW=0x2"}},
        {"a longer name is another",
         {"WEXTOR_TARGET_WINDOWS=1"},
         {"WEXTOR_TARGET_WINDOW=0x2", "WEXTOR_TARGET_WINDOWS=1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithVariable(c.before, "WEXTOR_TARGET_WINDOW", "0x2"), c.after) << c.what;
}
