// The window the user last worked in, followed through the foreground window, and how a driver
// run is told about it.
#include "winctl/WinExecW_win.h"
#include "winctl/lastwindow_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

// Writes the child's value of the variable, or "(none)", into the file args[0].
int ChildVariable(const std::vector<std::string>& args) {
    if (args.empty())
        return 98;
    char value[64] = "";
    const DWORD n = GetEnvironmentVariableA(TargetWindowVariable, value, sizeof value);
    wintest::WriteFile(args[0], n ? value : "(none)");
    return 0;
}
ChildMode variableMode("variable", ChildVariable);

class LastWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LastWindowTest";
        RegisterClassA(&wc);
    }
    void TearDown() override {
        StopUserWindowTracking();
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        UnregisterClassA("LastWindowTest", GetModuleHandleA(nullptr));
    }
    HWND Top(const char* title) {
        HWND w = CreateWindowExA(0, "LastWindowTest", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 100 + 40 * static_cast<int>(windows_.size()), 100, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(w);
        return w;
    }
    static bool Activate(HWND w) {
        SetForegroundWindow(w);
        return PollUntil([w] { return GetForegroundWindow() == w; }, 5000);
    }
    std::vector<HWND> windows_;
};

} // namespace

TEST_F(LastWindow, FollowsTheUsersWindowsButNotWextors) {
    HWND mail = Top("Inbox - Mail"), editor = Top("Draft - Editor"), wextor = Top("Wextor 5");
    StartUserWindowTracking([wextor](HWND w) { return w == wextor; });

    ASSERT_TRUE(Activate(mail));
    EXPECT_TRUE(PollUntil([&] { return LastUserWindow() == mail; }, 5000));
    ASSERT_TRUE(Activate(editor));
    EXPECT_TRUE(PollUntil([&] { return LastUserWindow() == editor; }, 5000));

    // Wextor's window in between: once the mail window after it is seen, Wextor's has been
    // seen too. With the mail window gone the editor is the last, not Wextor.
    ASSERT_TRUE(Activate(wextor));
    ASSERT_TRUE(Activate(mail));
    ASSERT_TRUE(PollUntil([&] { return LastUserWindow() == mail; }, 5000));
    DestroyWindow(mail);
    EXPECT_EQ(LastUserWindow(), editor);
    // A hidden window is no longer one to work on; nothing else is known.
    ShowWindow(editor, SW_HIDE);
    EXPECT_EQ(LastUserWindow(), nullptr);
}

TEST_F(LastWindow, TheVariableReachesTheChildOnly) {
    TempDir dir;
    const std::string report = dir.file("variable.txt");
    const std::string command = ExePath() + " --child variable " + report;
    ChildSetup setup;
    setup.variable = TargetWindowVariable;
    setup.value = "0x1A2B";
    setup.lendForeground = true; // started suspended, then let run
    const WaitResult with = WinExecAndWaitPumped(command, 1, 0x20, 30000, {}, "", setup);
    ASSERT_EQ(with.end, WaitEnd::Exited);
    EXPECT_EQ(with.exitCode, 0u);
    EXPECT_EQ(ReadFile(report), "0x1A2B");
    EXPECT_EQ(GetEnvironmentVariableA(TargetWindowVariable, nullptr, 0), 0u);

    const WaitResult without = WinExecAndWaitPumped(command, 1, 0x20, 30000, {});
    ASSERT_EQ(without.end, WaitEnd::Exited);
    EXPECT_EQ(ReadFile(report), "(none)");
}
