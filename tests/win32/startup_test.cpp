// Timer1's housekeeping, driven directly on a real properties window.
#include "app/global.h"
#include "app/startup_win.h"
#include "support/deblog.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;

namespace {
class Timer1 : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        PropsActions actions;
        actions.showTipOfTheDay = [this] { ++tipsShown; };
        form = std::make_unique<TfrmProps>(actions, "WextorStartupTest.INI");
    }
    void TearDown() override {
        form.reset();
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        DeleteFileA((std::string(windows) + "\\WextorStartupTest.INI").c_str());
    }
    // The quit message Timer1 posts for "Installer.Flg", taken off the queue.
    bool QuitPosted() {
        MSG msg;
        return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }
    TempDir dir;
    BoxAnswerer boxes;
    std::unique_ptr<TfrmProps> form;
    int tipsShown = 0;
};
} // namespace

TEST_F(Timer1, The14401stTickTrimsTheLogAndShowsATip) {
    struct Case {
        bool tipEnabled;
        int tipsExpected;
    } cases[] = {{true, 1}, {false, 0}};
    for (const Case& c : cases) {
        tipsShown = 0;
        TipEnabled = c.tipEnabled;
        WriteFile(DebugLogPath(), std::string(30000, 'L'));
        TimerTicks = 0;
        for (int i = 0; i < 14400; ++i)
            Timer1Timer(*form);
        EXPECT_EQ(TimerTicks, 14400);
        EXPECT_EQ(ReadFile(DebugLogPath()).size(), 30000u) << "trimmed too early";
        EXPECT_EQ(tipsShown, 0);
        Timer1Timer(*form); // the 14401st: about a day
        EXPECT_EQ(TimerTicks, 0);
        const std::string log = ReadFile(DebugLogPath());
        EXPECT_LT(log.size(), 20100u);
        EXPECT_NE(log.find(": Log trimmed\r\n"), std::string::npos);
        EXPECT_EQ(tipsShown, c.tipsExpected) << "tips enabled " << c.tipEnabled;
        EXPECT_FALSE(QuitPosted());
    }
}

TEST_F(Timer1, InstallerFlagEndsTheProgram) {
    TimerTicks = 5;
    Timer1Timer(*form);
    EXPECT_FALSE(QuitPosted());
    WriteFile(dir.file("Installer.Flg"), "");
    Timer1Timer(*form);
    EXPECT_FALSE(FileExists(dir.file("Installer.Flg")));
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(TimerTicks, 7);
}
