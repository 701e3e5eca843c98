#include "app/global.h"
#include "support/deblog.h"
#include "winctl/WinExecW_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <future>

using namespace wintest;

namespace {
// Child modes of this binary.
int ChildExit(const std::vector<std::string>& args) {
    return args.empty() ? 0 : std::stoi(args[0]);
}

// Writes what the child was started with into the file args[0], one item a line.
int ChildReport(const std::vector<std::string>& args) {
    if (args.empty())
        return 98;
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string text = std::string(module) + "\n" + GetCommandLineA() + "\n" +
                             std::to_string(startup.dwFlags) + "\n" +
                             std::to_string(startup.wShowWindow) + "\n" +
                             std::to_string(reinterpret_cast<UINT_PTR>(GetConsoleWindow())) + "\n";
    wintest::WriteFile(args[0], text);
    return 0;
}

// Creates the file args[0], then waits (bounded) for args[1] to appear and exits with 5.
int ChildHold(const std::vector<std::string>& args) {
    if (args.size() < 2)
        return 98;
    wintest::WriteFile(args[0], "started");
    return PollUntil([&] { return wintest::FileExists(args[1]); }, 60000) ? 5 : 97;
}

ChildMode exitMode("exit", ChildExit);
ChildMode reportMode("report", ChildReport);
ChildMode holdMode("hold", ChildHold);

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// FatalError asks the application to quit; the test's own message pump must not see it.
bool TakeQuitRequest() {
    MSG msg;
    bool seen = false;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        seen = true;
    return seen;
}

class WinExec : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 3201;
        TakeQuitRequest();
    }
    void TearDown() override {
        StepCode = 0;
        TakeQuitRequest();
    }
    std::string Self() const { return ExePath(); }
    TempDir dir;
};
} // namespace

TEST_F(WinExec, ReturnsTheExitCode) {
    for (int code : {3, 0, 1, 255, -2}) {
        BoxAnswerer boxes;
        EXPECT_EQ(WinExecAndWait32(Self() + " --child exit " + std::to_string(code), 1, 0x20),
                  code);
        EXPECT_TRUE(boxes.asked().empty());
    }
    EXPECT_FALSE(TakeQuitRequest());
}

TEST_F(WinExec, BlocksUntilTheProgramHasEnded) {
    const std::string started = dir.file("started.txt"), release = dir.file("release.txt");
    auto result = std::async(std::launch::async, [&] {
        return WinExecAndWait32(Self() + " --child hold " + started + " " + release, 1, 0x20);
    });
    ASSERT_TRUE(PollUntil([&] { return FileExists(started); }, 30000));
    // The child now waits for the release file, so the call must still be waiting too.
    EXPECT_EQ(result.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    wintest::WriteFile(release, "go");
    EXPECT_EQ(result.get(), 5);
}

TEST_F(WinExec, ShowModeReachesTheProgramInAConsoleOfItsOwn) {
    struct Case {
        WORD show;
        DWORD flags;
    } cases[] = {
        {SW_SHOWNORMAL, NORMAL_PRIORITY_CLASS},
        {SW_HIDE, NORMAL_PRIORITY_CLASS},
        {SW_SHOWMINNOACTIVE, NORMAL_PRIORITY_CLASS},
        {SW_SHOWMAXIMIZED, 0},
    };
    for (const Case& c : cases) {
        const std::string report = dir.file("report" + std::to_string(c.show) + ".txt");
        const std::string command = Self() + " --child report " + report;
        ASSERT_EQ(WinExecAndWait32(command, c.show, c.flags), 0);
        const std::vector<std::string> lines = Lines(ReadFile(report));
        ASSERT_EQ(lines.size(), 5u) << ReadFile(report);
        EXPECT_EQ(lines[1], command);
        EXPECT_EQ(std::stoul(lines[2]) & STARTF_USESHOWWINDOW, STARTF_USESHOWWINDOW);
        EXPECT_EQ(lines[3], std::to_string(c.show));
        // A console of its own, never the caller's.
        EXPECT_NE(lines[4], "0");
        EXPECT_NE(lines[4], std::to_string(reinterpret_cast<UINT_PTR>(GetConsoleWindow())));
    }
}

// Command lines are never quoted: the system tries the blank-separated prefixes of the path
// in turn, so the shortest prefix that names a program wins.
TEST_F(WinExec, UnquotedPathWithABlankIsSplitByTheSystem) {
    ASSERT_EQ(dir.path().find(' '), std::string::npos) << "temporary folder has a blank";
    const std::string folder = dir.file("Two Words");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string probe = folder + "\\probe.exe";
    ASSERT_TRUE(CopyFileA(Self().c_str(), probe.c_str(), FALSE));
    const std::string report = dir.file("report.txt");
    const std::string command = probe + " --child report " + report;

    ASSERT_EQ(WinExecAndWait32(command, 1, 0x20), 0);
    EXPECT_EQ(Lines(ReadFile(report)).at(0), probe);

    // With "...\Two.exe" present, "...\Two" names it: that program runs instead, with
    // "Words\probe.exe ..." as its arguments.
    const std::string shadow = dir.file("Two.exe");
    ASSERT_TRUE(CopyFileA(Self().c_str(), shadow.c_str(), FALSE));
    DeleteFileA(report.c_str());
    ASSERT_EQ(WinExecAndWait32(command, 1, 0x20), 0);
    const std::vector<std::string> lines = Lines(ReadFile(report));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], shadow);
    EXPECT_EQ(lines[1], command);

    // Named exactly, the program in the folder with a blank runs, with the same command line.
    DeleteFileA(report.c_str());
    ASSERT_EQ(WinExecAndWait32(command, 1, 0x20, probe), 0);
    const std::vector<std::string> exact = Lines(ReadFile(report));
    ASSERT_EQ(exact.size(), 5u);
    EXPECT_EQ(exact[0], probe);
    EXPECT_EQ(exact[1], command);
}

TEST_F(WinExec, ProgramThatCannotStartIsFatal) {
    const std::string notProgram = dir.file("text.exe");
    wintest::WriteFile(notProgram, "this is no program");
    struct Case {
        std::string command;
        DWORD code;
    } cases[] = {
        {dir.file("missing.exe") + " Data File=C:\\tmpmfd.tmp", ERROR_FILE_NOT_FOUND},
        {notProgram + " x", ERROR_BAD_EXE_FORMAT},
    };
    for (const Case& c : cases) {
        BoxAnswerer boxes;
        EXPECT_EQ(WinExecAndWait32(c.command, 1, 0x20), -1);
        ASSERT_EQ(boxes.asked().size(), 1u);
        const MsgBoxRequest& box = boxes.asked()[0];
        EXPECT_EQ(box.text, "Error in WinExecAndWait32 error " + std::to_string(c.code) +
                                ".3201 with " + c.command);
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.icon, MsgIcon::Error);
        EXPECT_NE(ReadFile(DebugLogPath()).find(": " + box.text + "\r\n"), std::string::npos);
        EXPECT_TRUE(TakeQuitRequest()) << "no quit asked for";
    }
}

TEST_F(WinExec, CommandLineLongerThan511IsRefusedWhole) {
    const std::string report = dir.file("long.txt");
    const std::string head = Self() + " --child report " + report + " ";
    ASSERT_LT(head.size(), 400u);
    const std::string fits = head + std::string(511 - head.size(), 'a');
    ASSERT_EQ(WinExecAndWait32(fits, 1, 0x20), 0);
    EXPECT_EQ(Lines(ReadFile(report)).at(1), fits) << "cut on the way";
    DeleteFileA(report.c_str());

    BoxAnswerer boxes;
    const std::string tooLong = fits + "b";
    EXPECT_EQ(WinExecAndWait32(tooLong, 1, 0x20), -1);
    EXPECT_FALSE(FileExists(report)) << "a cut command line was started";
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, "Error in WinExecAndWait32 command line of 512 characters, "
                                     "longer than 511.3201 with " +
                                         tooLong);
    EXPECT_TRUE(TakeQuitRequest());
}
