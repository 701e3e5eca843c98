// Whole processing runs with a driver that fails on purpose (FAULTMFD.EXE): whatever the
// fault, Demo Mail afterwards holds either the message as it was or the correct result, the
// user is told, no exchange file is left, and the next run works.
#include "runbed.h"

#include "app/global.h"
#include "app/settings.h"
#include "drivers/mfdcaller.h"
#include "drivers/mfdcaller_win.h"
#include "processing/PGPMain_win.h"
#include "processing/clipboard_win.h"
#include "processing/pgpcontrol.h"
#include "support/deblog.h"
#include "common/handles_win.h"

#include <algorithm>

#include <tlhelp32.h>

using namespace runbed;

namespace {

const char kBeginMessage[] = "-----BEGIN PGP MESSAGE-----";

class RelayHost : public ProcessingHost {
  public:
    void HidePropsWindow() override {}
    WindowHandle ActiveForm() override { return form; }
    const ProcessingSettingsView& Settings() override { return settings; }
    void SetClipboardReceiverText(ProcessingRun& run, const std::string& text) override {
        ReturnResultToMailer(run, text);
    }
    WindowHandle form = nullptr;
    ProcessingSettings settings;
};

class FaultRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(InstallDrivers(prog, mfd));
        ASSERT_TRUE(CopyFileA(Bin("testbed\\mfd\\FAULTMFD.EXE").c_str(),
                              mfd.file("FAULTMFD.EXE").c_str(), FALSE));
        PgpMainExe = pgp.MainExe();
        anchor.reset(CreateWindowExA(0, "STATIC", "props", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        PgpSearchAnchor = anchor.get();
        host.form = anchor.get();
        host.settings.routineMode = 0; // encrypt
        host.settings.specialMode = 0;
        SetProcessingHost(&host);
        ActiveDriverFiles = {"FAULTMFD.EXE"};
        PgpCommandWindow = nullptr;
        StepCode = 0;
        DriverPatience = 1500;
        SettingsFile = prog.file("Wextor5.INI");
        SetClipboardText("before the run");
    }
    void TearDown() override {
        DriverPatience = DriverPatienceMs;
        SettingsFile = SettingsFileName;
        SetProcessingHost(nullptr);
        PgpSearchAnchor = nullptr;
        EXPECT_FALSE(RunInProgress());
        EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), nullptr);
    }
    void Fault(const std::string& request, const std::string& fault, const std::string& more = "") {
        WriteFile(mfd.file("FAULTMFD.ini"),
                  "[Fault]\r\nRequest=" + request + "\r\nFault=" + fault + "\r\n" + more);
    }
    // A hang that the run gave up on goes on: the test ends it.
    static void EndHungDrivers() {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
            if (lstrcmpiA(entry.szExeFile, "FAULTMFD.EXE") != 0)
                continue;
            if (HANDLE h =
                    OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
                TerminateProcess(h, 1);
                WaitForSingleObject(h, 5000);
                CloseHandle(h);
            }
        }
        CloseHandle(snapshot);
    }
    std::string DriverLog() {
        return FileExists(mfd.file("FAULTMFD.log")) ? ReadFile(mfd.file("FAULTMFD.log")) : "";
    }
    // A normal run after a fault: the message is encrypted.
    void ExpectNextRunWorks(const std::string& what) {
        Fault("", "");
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        const size_t asked = boxes.asked().size();
        MainPGP(true);
        EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u) << what << ": the next run";
        EXPECT_EQ(boxes.asked().size(), asked)
            << what << ": the next run: " << boxes.asked().back().text;
        EXPECT_FALSE(FileExists(ExchangeFilePath));
    }

    PgpStandIn pgp;
    TempDir prog{"wxf"}, mfd{"mfd"};
    UniqueWindow anchor;
    RelayHost host;
    BoxAnswerer boxes;
};

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// What the mail client holds afterwards.
enum class After { Original, Result };

TEST_F(FaultRun, EveryDriverFaultLeavesTheOriginalOrTheResult) {
    const struct Case {
        const char* request;
        const char* fault;
        After after;
        std::vector<const char*> told; // all in the one box; none: no box
        size_t patienceAsks;
    } cases[] = {
        {"read",
         "crash-before",
         After::Original,
         {"FAULTMFD.EXE", "\"read File=\"", "0xC0000005"},
         0},
        {"read", "truncate", After::Original, {"FAULTMFD.EXE", "\"read File=\"", "crashed"}, 0},
        {"read", "exit", After::Original, {NoDataText, "exit code 5", "Nothing was changed"}, 0},
        {"read", "hang", After::Original, {"\"read File=\"", "stopped responding"}, 1},
        {"read", "garbage", After::Original, {}, 0}, // any box: checked below
        {"read", "nul", After::Original, {"zero byte", "Nothing was changed"}, 0},
        {"read", "big", After::Original, {"17000000 bytes", "16777216"}, 0},
        // Judged by its size: a file read whole would take minutes and gigabytes.
        {"read", "huge", After::Original, {"bytes long", "16777216"}, 0},
        {"Write", "crash-before", After::Original, {"\"Write File=\"", "did not reach"}, 0},
        {"Write", "hang", After::Original, {"\"Write File=\"", "stopped responding"}, 1},
        {"Write", "crash-after", After::Result, {"\"Write File=\"", "0xC0000005"}, 0},
        {"Write", "exit", After::Result, {"\"Write File=\"", "exit code 5", "Check"}, 0},
        {"Data", "exit", After::Result, {}, 0}, // a probe's code is only logged
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.request) + " " + c.fault;
        Fault(c.request, c.fault);
        boxes.Queue(mrYes); // end a hung driver when asked
        const size_t asked = boxes.asked().size();
        std::string original, now;
        {
            DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
            original = demo.Body();
            SetUsersClipboard();
            MainPGP(true);
            now = demo.Body();
        }
        if (c.after == After::Original)
            EXPECT_EQ(now, original) << what;
        else
            EXPECT_EQ(now.rfind(kBeginMessage, 0), 0u) << what << ": " << now.substr(0, 40);
        std::vector<MsgBoxRequest> seen(boxes.asked().begin() + static_cast<long>(asked),
                                        boxes.asked().end());
        const bool told = !c.told.empty() || std::string(c.fault) == "garbage";
        ASSERT_EQ(seen.size(), c.patienceAsks + (told ? 1 : 0)) << what;
        if (c.patienceAsks) {
            EXPECT_TRUE(Holds(seen.front().text, "End it now?")) << what;
        }
        for (const char* part : c.told)
            EXPECT_TRUE(Holds(seen.back().text, part)) << what << ": " << seen.back().text;
        if (std::string(c.request) == "Write") {
            EXPECT_EQ(GetClipboardText().rfind(kBeginMessage, 0), 0u)
                << what << ": the result stays on the clipboard";
        } else {
            EXPECT_TRUE(UsersClipboardIsBack()) << what << ": " << GetClipboardText();
        }
        EXPECT_FALSE(FileExists(ExchangeFilePath)) << what;
        EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), nullptr) << what;
        ExpectNextRunWorks(what);
    }
}

// A driver known to return meaningless codes can be named in the settings; a crash still counts.
TEST_F(FaultRun, IgnoredExitCodesOfOneDriver) {
    WritePrivateProfileStringA(DriverExitCodesSection, "FAULTMFD.EXE", IgnoreExitCodeValue,
                               SettingsFile.c_str());
    const struct {
        const char* fault;
        size_t boxes;
    } cases[] = {{"exit", 0}, {"crash-after", 1}};
    for (const auto& c : cases) {
        Fault("Write", c.fault);
        const size_t asked = boxes.asked().size();
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        MainPGP(true);
        EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u) << c.fault;
        EXPECT_EQ(boxes.asked().size() - asked, c.boxes) << c.fault;
    }
}

// While a driver works the program's windows stay alive, and nothing starts a second run.
TEST_F(FaultRun, NoSecondRunWhileADriverWorks) {
    Fault("read", "hang");
    std::string waiting;
    int refused = 0, asked = 0;
    const MsgBoxHandler before = SetMsgBoxHandler([&](const MsgBoxRequest&) {
        if (asked++)
            return mrOk; // the report that the driver was ended
        waiting = RunningForm() ? RunningForm()->Waiting() : "";
        const std::string log = ReadFile(DebugLogPath());
        MainPGP(false); // the Run button, pressed while the first run waits
        refused = Holds(ReadFile(DebugLogPath()).substr(log.size()), RunRefusedLogLine);
        return mrYes;
    });
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    const std::string original = demo.Body();
    MainPGP(true);
    SetMsgBoxHandler(before);
    EXPECT_EQ(waiting, "Waiting for FAULTMFD.EXE (read File=)");
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(demo.Body(), original);
    const std::string log = DriverLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log; // the probe and the one read
}

void CALLBACK QuitSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(0);
}

// Windows shutting down (the program's quit) is not held up by a hung driver: the run ends at
// once, with no box, and the quit stays for the main loop.
TEST_F(FaultRun, QuitDuringAHungDriverEndsTheRun) {
    Fault("Write", "hang");
    DriverPatience = 60000;
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    const std::string original = demo.Body();
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, QuitSoon);
    const ULONGLONG start = GetTickCount64();
    MainPGP(true);
    KillTimer(nullptr, timer);
    EXPECT_LT(GetTickCount64() - start, 30000u);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(demo.Body(), original);
    EXPECT_FALSE(FileExists(ExchangeFilePath));
    EndHungDrivers();
}

// An exchange file that cannot be removed is never taken for the message, and a failed write
// of the result never reaches "Write File=".
TEST_F(FaultRun, StaleOrUnwritableExchangeFile) {
    WriteFile(ExchangeFilePath, "MFD-Protocol-Version: 1\r\nWtype: 1\r\n\r\nan older message");
    SetReadOnly(ExchangeFilePath, true);
    {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        const std::string original = demo.Body();
        MainPGP(true);
        EXPECT_EQ(demo.Body(), original);
        ASSERT_EQ(boxes.asked().size(), 1u);
        EXPECT_TRUE(Holds(boxes.asked()[0].text, "left over from an earlier run"));
        EXPECT_TRUE(pgp.Commands().empty());
    }
    SetReadOnly(ExchangeFilePath, false);
    DeleteFileA(ExchangeFilePath.c_str());

    const std::string kept = ExchangeFilePath;
    ExchangeFilePath = prog.file("missing\\tmpmfd.tmp");
    ProcessingRun run(host);
    run.Mailer.CurrentDriver = "FAULTMFD.EXE";
    ReturnResultToMailer(run, "-----BEGIN PGP MESSAGE-----\r\nx\r\n-----END PGP MESSAGE-----\r\n");
    ExchangeFilePath = kept;
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_TRUE(Holds(boxes.asked()[1].text, "WriteFileString"));
    EXPECT_FALSE(Holds(DriverLog(), "Write")) << DriverLog();
}

// A log that cannot be written: the user is told once, runs go on.
TEST_F(FaultRun, UnwritableLogIsToldOnceAndRunsGoOn) {
    WriteFile(DebugLogPath(), "");
    SetReadOnly(DebugLogPath(), true);
    LogFailureTold = false;
    DebugLog("one");
    DebugLog("two");
    TrimDebugLog();
    {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        MainPGP(true);
        EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u);
    }
    SetReadOnly(DebugLogPath(), false);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].caption, "Warning");
    EXPECT_TRUE(Holds(boxes.asked()[0].text, DebugLogPath()));
    EXPECT_TRUE(Holds(boxes.asked()[0].text, "goes on working without the log"));
    EXPECT_EQ(ReadFile(DebugLogPath()), "");
    LogFailureTold = false;
}

} // namespace
