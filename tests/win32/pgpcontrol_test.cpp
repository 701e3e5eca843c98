// PGP control against the PGP stand-in as a real process: starting it, the commands and their
// check, the wait for a window that never comes, the Direct access actions, the version probe
// and the clipboard helper.
#include "stublog.h"
#include "wintest.h"

#include "app/global.h"
#include "processing/clipboard_win.h"
#include "processing/pgpcontrol_win.h"
#include "common/handles_win.h"
#include "common/unicode_win.h"
#include "support/help_win.h"
#include "support/verslab_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <htmlhelp.h>

#include <cstdio>
#include <map>
#include <thread>

using namespace wintest;

namespace {

const char kTrayClass[] = "PGPtray_Hidden_Window";
const char* const kPgpFiles[] = {"PGPstub.exe", "PGPKeys.Exe", "PGPTray.Exe", "PGPTools.Exe",
                                 "PGP50.Hlp"};
const char kBeginMessage[] = "-----BEGIN PGP MESSAGE-----";
const char kBeginSigned[] = "-----BEGIN PGP SIGNED MESSAGE-----";

std::string Get(const Record& r, const char* key) {
    const auto it = r.find(key);
    return it == r.end() ? std::string() : it->second;
}

// FatalError asks the message loop to end; the test's own thread must not keep that.
bool DrainQuit() {
    MSG msg;
    bool seen = false;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        seen = true;
    return seen;
}

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++timerTicks;
}

unsigned long long CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000;
}

class PgpControlWin : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA(kTrayClass, nullptr), nullptr) << "a stand-in is still running";
        const std::string src = std::string(WEXTOR_BIN_DIR) + "/testbed/pgp/";
        for (const char* f : kPgpFiles)
            ASSERT_TRUE(CopyFileA((src + f).c_str(), dir.file(f).c_str(), FALSE)) << f;
        Control("");
        ProgramDir = dir.path();
        PgpMainExe = dir.file("PGPstub.exe");
        PgpCommandWindow = nullptr;
        anchor.reset(CreateWindowExA(0, "STATIC", "anchor", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
        PgpSearchAnchor = anchor.get();
    }

    void TearDown() override {
        if (HWND w = FindWindowA(kTrayClass, nullptr))
            PostMessageA(w, WM_CLOSE, 0, 0);
        for (const Record& r : Log()) {
            if (Get(r, "event") != "start")
                continue;
            HANDLE h =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::stoul(Get(r, "pid")));
            if (!h)
                continue;
            if (WaitForSingleObject(h, 5000) != WAIT_OBJECT_0)
                TerminateProcess(h, 1);
            CloseHandle(h);
        }
        EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) == nullptr; }));
        EXPECT_FALSE(DrainQuit());
        PgpSearchAnchor = nullptr;
        PgpMainExe.clear();
        SetShellOpenHook(nullptr);
        SetHelpHook(nullptr);
    }

    void Control(const std::string& lines) {
        WriteFile(dir.file("PGPstub.ini"),
                  "[PGPstub]\r\nShowResult=0\r\nSideWindowMs=200\r\n" + lines);
    }

    void StartStub() {
        std::string cmd = "\"" + PgpMainExe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        ASSERT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }));
    }

    std::vector<Record> Log() {
        if (!FileExists(dir.file("PGPstub.log")))
            return {};
        return ParseStubLog(ReadFile(dir.file("PGPstub.log")));
    }
    std::vector<Record> Events(const std::string& event, const std::string& prog = "") {
        std::vector<Record> found;
        for (const Record& r : Log())
            if (Get(r, "event") == event && (prog.empty() || Get(r, "prog") == prog))
                found.push_back(r);
        return found;
    }

    TempDir dir{"pgpc"};
    UniqueWindow anchor;
    BoxAnswerer boxes;
};

} // namespace

TEST_F(PgpControlWin, StartsPgpWhenItIsMissingAndSendsTheCommand) {
    ASSERT_TRUE(SetClipboardText("Hello, PGP\r\n"));
    EXPECT_TRUE(InvokePgp("-AutoEncrypt"));
    EXPECT_EQ(PgpCommandWindow, nullptr);
    ASSERT_EQ(Events("start", "PGPstub.exe").size(), 1u);
    const auto commands = Events("command");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(Get(commands[0], "id"), "40017");
    EXPECT_EQ(Get(commands[0], "lparam"), "0");
    EXPECT_EQ(Get(commands[0], "before"), "Hello, PGP\r\n");
    EXPECT_EQ(Get(commands[0], "after").find(kBeginMessage), 0u);
    EXPECT_EQ(GetClipboardText(), Get(commands[0], "after"));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(PgpControlWin, RunningPgpIsNotStartedAgain) {
    StartStub();
    ASSERT_TRUE(SetClipboardText("signed text"));
    EXPECT_TRUE(InvokePgp("-AutoSign"));
    EXPECT_EQ(Events("start", "PGPstub.exe").size(), 1u);
    EXPECT_TRUE(Events("already-running").empty());
    const auto commands = Events("command");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(Get(commands[0], "id"), "40018");
    EXPECT_EQ(GetClipboardText().find(kBeginSigned), 0u);
}

TEST_F(PgpControlWin, SignedOutputFailsOnlyTheEncryptingCommand) {
    Control("EncryptAsSign=1\r\n");
    StartStub();
    struct Case {
        const char* pgpSwitch;
        const char* id;
        bool result;
    } cases[] = {{"-AutoEncryptSign", "40007", false},
                 {"-AutoEncrypt", "40017", false},
                 {"-AutoSign", "40018", true}};
    for (const Case& c : cases) {
        const size_t asked = boxes.asked().size();
        ASSERT_TRUE(SetClipboardText("secret"));
        EXPECT_EQ(InvokePgp(c.pgpSwitch), c.result) << c.pgpSwitch;
        EXPECT_EQ(PgpCommandWindow, nullptr);
        EXPECT_EQ(GetClipboardText().find(kBeginSigned), 0u) << c.pgpSwitch;
        EXPECT_EQ(Get(Events("command").back(), "id"), c.id);
        if (c.result) {
            EXPECT_EQ(boxes.asked().size(), asked) << c.pgpSwitch;
        } else {
            ASSERT_EQ(boxes.asked().size(), asked + 1) << c.pgpSwitch;
            EXPECT_EQ(boxes.asked().back().text,
                      "Error in Message.0 with PGP failed to encrypt!!!");
            EXPECT_EQ(boxes.asked().back().caption, "Warning");
        }
    }
}

TEST_F(PgpControlWin, SwitchesOutsideTheTableSendTheOtherCommand) {
    StartStub();
    const char* switches[] = {"", "-autosign", "-AUTOENCRYPT", "-Bogus", "-AddKey "};
    for (const char* s : switches) {
        ASSERT_TRUE(SetClipboardText("text"));
        EXPECT_TRUE(InvokePgp(s)) << s;
        EXPECT_EQ(Get(Events("command").back(), "id"), "40016") << "'" << s << "'";
        EXPECT_EQ(PgpCommandWindow, nullptr);
    }
    EXPECT_EQ(Events("command").size(), std::size(switches));
    EXPECT_EQ(GetClipboardText(), "text");
}

TEST_F(PgpControlWin, WindowThatNeverComesIsFatalAfterTenSeconds) {
    Control("NoWindow=1\r\nNoWindowExitMs=2000\r\n");
    // The wait lets the program's messages run.
    timerTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, CountTick);
    const unsigned long long cpuBefore = CpuMs();
    const ULONGLONG wallBefore = GetTickCount64();
    EXPECT_FALSE(InvokePgp("-AutoEncrypt"));
    const unsigned long long cpu = CpuMs() - cpuBefore;
    const ULONGLONG wall = GetTickCount64() - wallBefore;
    KillTimer(nullptr, timer);
    EXPECT_GE(timerTicks, 5);
    std::printf("[ figure ] wait for a missing PGP window: %llu ms CPU in %llu ms (%.2f %% of "
                "one core)\n",
                cpu, static_cast<unsigned long long>(wall), wall ? 100.0 * cpu / wall : 0.0);
    EXPECT_GE(wall, 10000u);
    ASSERT_EQ(boxes.asked().size(), 1u);
    const std::string text = boxes.asked()[0].text;
    EXPECT_EQ(text.find("Error in MainPGPHwnd timed out "), 0u) << text;
    EXPECT_NE(text.find(" with " + PgpMainExe), std::string::npos) << text;
    EXPECT_GE(std::atoi(text.c_str() + 31), 32) << text;
    EXPECT_EQ(boxes.asked()[0].caption, "Error");
    EXPECT_TRUE(DrainQuit());
    EXPECT_TRUE(Events("command").empty());
    EXPECT_EQ(Events("nowindow").size(), 1u);
}

TEST_F(PgpControlWin, MissingMainProgramIsFatal) {
    PgpMainExe = dir.file("NoSuchPGP.exe");
    EXPECT_FALSE(InvokePgp("-AutoSign"));
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, "Error in Winexec returned 2.0 with " + PgpMainExe);
    EXPECT_TRUE(DrainQuit());
    EXPECT_TRUE(Log().empty());
}

// PGP in a folder with a blank starts by its exact name even when a program sits at a shorter
// prefix of the path ("...\\PGP.exe" for "...\\PGP Files\\PGPstub.exe").
TEST_F(PgpControlWin, PathWithABlankStartsExactlyThatProgram) {
    const std::string folder = dir.file("PGP Files");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const char* f : kPgpFiles)
        ASSERT_TRUE(CopyFileA(dir.file(f).c_str(), (folder + "\\" + f).c_str(), FALSE)) << f;
    ASSERT_TRUE(CopyFileA(dir.file("PGPKeys.Exe").c_str(), dir.file("PGP.exe").c_str(), FALSE));
    const std::string log = folder + "\\PGPstub.log";
    for (const std::string quote : {"", "\""}) {
        PgpMainExe = quote + folder + "\\PGPstub.exe" + quote;
        ASSERT_TRUE(SetClipboardText("Hello, PGP\r\n"));
        EXPECT_TRUE(InvokePgp("-AutoEncrypt")) << quote;
        EXPECT_TRUE(FileExists(log)) << "the stand-in in the folder with a blank ran";
        EXPECT_FALSE(FileExists(dir.file("PGPstub.log"))) << "the shadow program ran";
        if (HWND w = FindWindowA(kTrayClass, nullptr))
            PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) == nullptr; }));
        DeleteFileA(log.c_str());
    }
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(PgpControlWin, KeysProgramStarts) {
    btnPGPKeysClick();
    EXPECT_TRUE(PollUntil([&] { return !Events("exit", "PGPKeys.Exe").empty(); }));
    EXPECT_EQ(Events("start", "PGPKeys.Exe").size(), 1u);
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(PgpControlWin, MissingProgramInPgpsFolderIsFatal) {
    RunPgpItem("NoSuch.Exe");
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, "Error in RunPGPItem/Winexec returned 2.0 with " + PgpMainExe);
    EXPECT_TRUE(DrainQuit());
}

TEST_F(PgpControlWin, TrayButtonStartsTrayUnlessItRuns) {
    btnPAPTrayClick();
    EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }));
    EXPECT_EQ(Events("start", "PGPTray.Exe").size(), 1u);
    EXPECT_TRUE(boxes.asked().empty());

    btnPAPTrayClick();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, "PGPTray is already running");
    EXPECT_EQ(boxes.asked()[0].buttons, static_cast<unsigned>(mbOK));
    EXPECT_EQ(boxes.asked()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(Events("start", "PGPTray.Exe").size(), 1u);
}

TEST_F(PgpControlWin, ToolsAndPreferencesGoThroughPgpTray) {
    EXPECT_TRUE(PgpToolsExists());
    btnToolsClick();
    Button1Click();
    const auto commands = Events("command");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(Get(commands[0], "id"), "40019");
    EXPECT_EQ(Get(commands[1], "id"), "40012");
    EXPECT_TRUE(PollUntil([&] { return !Events("exit", "PGPTools.Exe").empty(); }));

    DeleteFileA(dir.file("PGPTools.Exe").c_str());
    EXPECT_FALSE(PgpToolsExists());
}

// PGP 5.x's .hlp goes to the shell (no WinHelp on Windows 10 and 11); a .chm beside it, as the
// GnuPG bridge ships, wins and opens in HTML Help.
TEST_F(PgpControlWin, HelpFileOpensAtItsContents) {
    struct Call {
        HWND owner;
        std::string file;
    };
    std::vector<Call> shell, html;
    std::vector<UINT> htmlCommands;
    SetShellOpenHook([&](HWND owner, const std::string& file) {
        shell.push_back({owner, file});
        return true;
    });
    SetHelpHook([&](const HelpCall& call) {
        html.push_back({call.owner, call.target});
        htmlCommands.push_back(call.command);
    });
    const std::string hlp = dir.file("PGP50.Hlp");
    SetFileAttributesA(hlp.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    btnPGPHelpClick(anchor.get());
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].owner, anchor.get());
    EXPECT_EQ(shell[0].file, hlp);
    EXPECT_TRUE(html.empty());

    const std::string chm = dir.file("PGPBridge.chm");
    WriteFile(chm, "ITSF");
    btnPGPHelpClick(anchor.get());
    EXPECT_EQ(shell.size(), 1u);
    ASSERT_EQ(html.size(), 1u);
    EXPECT_EQ(html[0].owner, anchor.get());
    EXPECT_EQ(html[0].file, chm);
    EXPECT_EQ(htmlCommands[0], static_cast<UINT>(HH_DISPLAY_TOPIC));

    ASSERT_TRUE(DeleteFileA(chm.c_str()));
    SetFileAttributesA(hlp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(hlp.c_str()));
    ASSERT_TRUE(CreateDirectoryA(dir.file("PGPdir.Hlp").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dir.file("PGPdir.chm").c_str(), nullptr));
    btnPGPHelpClick(anchor.get());
    EXPECT_EQ(shell.size(), 1u);
    EXPECT_EQ(html.size(), 1u);
}

// PGP's folder and help file named in letters outside the code page: the tools and the help
// are still found, and the help file by its own name.
TEST_F(PgpControlWin, ToolsAndHelpInAFolderOfAnyLetters) {
    const std::string folder = dir.file("PGP \xC5\x81\xC3\xB3"
                                        "d\xC5\xBA \xE6\x9D\x8E\\");
    const std::string help = folder + "PGP\xD0\x96.chm";
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
    for (const std::string& file : {folder + "PGPTools.Exe", help}) {
        const UniqueFile made(
            CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(made) << file;
    }
    PgpMainExe = folder + "PGP.EXE";
    EXPECT_TRUE(PgpToolsExists());
    EXPECT_EQ(FindPgpHelpFile(), help);
}

TEST_F(PgpControlWin, VersionProbeReadsPgpsStrings) {
    UniqueWindow parent(CreateWindowExA(0, "STATIC", "props", WS_POPUP, 0, 0, 300, 100, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr));
    TVersionLabel* label = TVersionLabel::Create(parent.get(), 1, 0, 0, 100, 20);
    ASSERT_NE(label, nullptr);
    ProbePgpVersion(*label);
    EXPECT_EQ(PgpFileVersion, " 5.0.3");
    EXPECT_EQ(PgpProductName, " PGP for Windows (stand-in)");
    EXPECT_EQ(label->VersionResourceKey(), "FileVersion");
    EXPECT_EQ(label->InfoPrefix(), "");

    // A file without a version resource, and no PGP at all (not this program's version).
    for (const std::string& exe : {dir.file("PGP50.Hlp"), std::string()}) {
        PgpMainExe = exe;
        ProbePgpVersion(*label);
        EXPECT_EQ(PgpFileVersion, " < No Data Available >") << exe;
        EXPECT_EQ(PgpProductName, " < No Data Available >") << exe;
    }
}

namespace {
DWORD FormatDword(const char* name) {
    const UINT format = RegisterClipboardFormatA(name);
    DWORD value = 0xFFFFFFFF;
    if (!OpenClipboard(nullptr))
        return value;
    if (HANDLE h = GetClipboardData(format)) {
        if (GlobalSize(h) >= sizeof value)
            value = *static_cast<const DWORD*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return value;
}
} // namespace

TEST(Clipboard, MessageTextStaysPrivateAndReadsBack) {
    // UTF-8 in, every character on the clipboard as CF_UNICODETEXT, CF_TEXT beside it.
    const char* texts[] = {"", "one line", "two\r\nlines\r\n", "äöü bytes \x7f",
                           "Привет, Ελληνικά, 你好 😀"};
    for (const char* t : texts) {
        ASSERT_TRUE(SetClipboardText(t));
        EXPECT_EQ(GetClipboardText(), t);
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
        EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA(ExcludeFromMonitorFormat)));
        EXPECT_EQ(FormatDword(IncludeInHistoryFormat), 0u);
        EXPECT_EQ(FormatDword(UploadToCloudFormat), 0u);
    }
    // CF_TEXT would end at the first NUL: such a text is refused and the clipboard left alone.
    EXPECT_FALSE(SetClipboardText(std::string("cut\0off", 7)));
    EXPECT_EQ(GetClipboardText(), texts[4]);
}

TEST(Clipboard, BusyClipboardIsReportedAndLeftAlone) {
    ASSERT_TRUE(SetClipboardText("before"));
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(release, 30000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 30000);
    EXPECT_FALSE(SetClipboardText("after"));
    EXPECT_EQ(GetClipboardText(), "");
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(GetClipboardText(), "before");
    EXPECT_TRUE(SetClipboardText("after"));
    EXPECT_EQ(GetClipboardText(), "after");
}

TEST(Clipboard, TextWithoutNulIsReadWithinItsBlock) {
    UniqueWindow owner(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(OpenClipboard(owner.get()));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 4);
    memset(GlobalLock(mem), 'a', GlobalSize(mem));
    const size_t block = GlobalSize(mem);
    GlobalUnlock(mem);
    ASSERT_NE(SetClipboardData(CF_TEXT, mem), nullptr);
    CloseClipboard();
    const std::string text = GetClipboardText();
    // Wine ends the block with a NUL of its own; Windows need not.
    EXPECT_GE(text.size(), 3u);
    EXPECT_LE(text.size(), block);
    EXPECT_EQ(text, std::string(text.size(), 'a'));
}
