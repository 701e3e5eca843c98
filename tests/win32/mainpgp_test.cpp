// Whole processing runs under Wine: MainPGP with Demo Mail, Notepad, the testbed drivers, the
// script engine and the PGP stand-in, each from private copies.
#include "runbed.h"

#include "app/global.h"
#include "drivers/ChooseMailer.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/mfdcaller.h"
#include "processing/PGPMain_win.h"
#include "processing/clipboard_win.h"
#include "processing/pgpcontrol.h"
#include "res/resource.h"
#include "support/deblog.h"
#include "common/clipboard_win.h"
#include "common/handles_win.h"
#include "support/platform.h"

using namespace runbed;

namespace {

const char kBeginMessage[] = "-----BEGIN PGP MESSAGE-----";
const char kBeginSigned[] = "-----BEGIN PGP SIGNED MESSAGE-----";

class TestHost : public ProcessingHost {
  public:
    void HidePropsWindow() override { ++hidden; }
    WindowHandle ActiveForm() override { return form; }
    const ProcessingSettingsView& Settings() override {
        if (settingsFail)
            throw FileError("settings gone");
        return settings;
    }
    void SetClipboardReceiverText(ProcessingRun& run, const std::string& text) override {
        receiver.push_back(text);
        driver = run.Mailer.CurrentDriver;
        ReturnResultToMailer(run, text);
        stepAfterReturn.push_back(StepCode);
    }
    int hidden = 0;
    bool settingsFail = false;
    WindowHandle form = nullptr;
    ProcessingSettings settings;
    std::vector<std::string> receiver;
    std::string driver; // the run's driver when its result came back
    std::vector<int> stepAfterReturn;
};

// Counts the dialogs this thread creates (the run's windows are dialogs).
class CreationCounter {
  public:
    CreationCounter() {
        count_ = 0;
        hook_ = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~CreationCounter() { UnhookWindowsHookEx(hook_); }
    CreationCounter(const CreationCounter&) = delete;
    CreationCounter& operator=(const CreationCounter&) = delete;
    int count() const { return count_; }
    static std::string classes() { return classes_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
        if (code == HCBT_CREATEWND) {
            char cls[64] = "";
            GetClassNameA(reinterpret_cast<HWND>(w), cls, sizeof cls);
            classes_ += std::string(cls) + " ";
            count_ += std::string(cls) == "#32770";
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    static inline int count_ = 0;
    static inline std::string classes_;
    HHOOK hook_ = nullptr;
};

std::string BodyOf(const std::string& file) {
    const std::string text = ReadFile(file);
    return text.substr(text.find("\r\n\r\n") + 4);
}

class MainPgpRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(InstallDrivers(prog, mfd));
        PgpMainExe = pgp.MainExe();
        anchor.reset(CreateWindowExA(0, "STATIC", "props", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        PgpSearchAnchor = anchor.get();
        host.form = anchor.get();
        host.settings.routineMode = 0;
        host.settings.specialMode = 0;
        SetProcessingHost(&host);
        ActiveDriverFiles = {"DEMOMFD.EXE"};
        PgpCommandWindow = nullptr;
        ChooserIndex = 0;
        StepCode = 0;
        SetClipboardText("before the run");
    }
    void TearDown() override {
        SetProcessingHost(nullptr);
        PgpSearchAnchor = nullptr;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            ADD_FAILURE() << "the run asked the program to quit";
    }

    std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        if (!FileExists(DebugLogPath()))
            return lines;
        const std::string log = ReadFile(DebugLogPath());
        for (size_t p = 0; p < log.size();) {
            const size_t end = log.find("\r\n", p);
            const std::string line = log.substr(p, end - p);
            const size_t colon = line.find(": ");
            lines.push_back(colon == std::string::npos ? line : line.substr(colon + 2));
            p = end == std::string::npos ? log.size() : end + 2;
        }
        return lines;
    }
    // An encrypted block of the stand-in, made by a run of its own.
    std::string Encrypted(const std::string& plain) {
        Process stub("\"" + PgpMainExe + "\"");
        HWND tray = nullptr;
        EXPECT_TRUE(
            PollUntil([&] { return (tray = FindWindowA(PgpTrayClass, nullptr)) != nullptr; }));
        SetClipboardText(plain);
        DWORD_PTR r = 0;
        SendMessageTimeoutA(tray, WM_COMMAND, PgpEncrypt, 0, SMTO_NORMAL, 30000, &r);
        const std::string armour = GetClipboardText();
        PostMessageA(tray, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PollUntil([] { return FindWindowA(PgpTrayClass, nullptr) == nullptr; }));
        return armour;
    }
    void ExpectRunEnded() {
        EXPECT_EQ(StepCode, 5599);
        EXPECT_EQ(RunningForm(), nullptr);
        EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), nullptr);
        EXPECT_EQ(LogLines().back(), "MainPGP-End");
        EXPECT_EQ(host.hidden, 1);
    }

    PgpStandIn pgp;
    TempDir prog{"wxp"}, mfd{"mfd"};
    UniqueWindow anchor;
    TestHost host;
    BoxAnswerer boxes;
};

// Outgoing mail: the switch from the settings or the mailing list, PGP's output written back.
TEST_F(MainPgpRun, OutgoingMailIsProcessedAndWrittenBack) {
    const std::string body = BodyOf(Bin("testbed\\data\\compose.txt"));
    const struct {
        int mode;
        std::vector<std::string> list;
        const char *pgpSwitch, *begin;
    } cases[] = {{0, {}, "-AutoEncrypt", kBeginMessage},
                 {1, {}, "-AutoSign", kBeginSigned},
                 {0, {"BOB@example.org"}, "-AutoSign", kBeginSigned},        // the Cc is a list
                 {0, {"carol@example.net"}, "-AutoEncrypt", kBeginMessage}}; // Bcc is not looked at
    for (const auto& c : cases) {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        host.settings.routineMode = c.mode;
        host.settings.mailingList = c.list;
        host.receiver.clear();
        host.stepAfterReturn.clear();
        host.hidden = 0;
        MainPGP(true);
        const std::string result = demo.Body();
        EXPECT_EQ(result.rfind(c.begin, 0), 0u) << c.pgpSwitch << ": " << result.substr(0, 60);
        ASSERT_EQ(host.receiver.size(), 2u);
        EXPECT_EQ(host.receiver[0], "");
        EXPECT_EQ(host.receiver[1], result);
        EXPECT_EQ(host.stepAfterReturn, (std::vector<int>{5700, 5707}));
        EXPECT_FALSE(FileExists(ExchangeFilePath)); // wiped once the driver has written it back
        EXPECT_EQ(GetClipboardText(), "before the run"); // the user's own clipboard is back
        const auto commands = pgp.Commands();
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(Get(commands.back(), "before"), body);
        const std::vector<std::string> log = LogLines();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[log.size() - 2], std::string("Invoked PGP with ") + c.pgpSwitch);
        ExpectRunEnded();
        EXPECT_TRUE(boxes.asked().empty());
    }
}

// A driver that declares no charset gives and takes the code page's bytes: accents, a dash and
// the euro sign reach PGP as the mail client held them, and its decryption comes back to the
// clipboard as the same characters (the run holds UTF-8 in between).
TEST_F(MainPgpRun, CodePageTextOfAnOlderDriverSurvivesBothWays) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the sample is Windows-1252";
    const std::string ansi = "Gr\xFC\xDF"
                             "e aus K\xF6ln \x97 na\xEFve caf\xE9, 5 \x80\r\n";
    const std::string utf8 =
        "Gr\xC3\xBC\xC3\x9F"
        "e aus K\xC3\xB6ln \xE2\x80\x94 na\xC3\xAFve caf\xC3\xA9, 5 \xE2\x82\xAC\r\n";
    WriteFile(prog.file("out.txt"), "To: bob@example.org\r\nSubject: Plans\r\n\r\n" + ansi);
    std::string armour;
    {
        DemoMail demo("compose", prog.file("out.txt"));
        MainPGP(true);
        armour = demo.Body();
        ASSERT_EQ(armour.rfind(kBeginMessage, 0), 0u) << armour.substr(0, 60);
        ASSERT_FALSE(pgp.Commands().empty());
        EXPECT_EQ(Get(pgp.Commands().back(), "before"), ansi);
        ExpectRunEnded();
    }
    WriteFile(prog.file("in.txt"), "Subject: Plans\r\n\r\n" + armour);
    DemoMail demo("read", prog.file("in.txt"));
    host.hidden = 0;
    MainPGP(true);
    EXPECT_EQ(Get(pgp.Commands().back(), "id"), "40008");
    EXPECT_NE(GetClipboardText().find(utf8), std::string::npos) << GetClipboardText();
    EXPECT_TRUE(boxes.asked().empty());
    ExpectRunEnded();
}

TEST_F(MainPgpRun, PostingIsSignedAndTheDeclinedWarningEndsTheRun) {
    DemoMail demo("post", Bin("testbed\\data\\posting.txt"));
    const std::string body = demo.Body();
    boxes.Queue(mrNo);
    MainPGP(false); // special run, Encrypt: the warning
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, PostWarningText);
    EXPECT_EQ(boxes.asked()[0].buttons, unsigned(mbYes | mbNo | mbHelp));
    EXPECT_EQ(boxes.asked()[0].helpContext, 9000u);
    EXPECT_EQ(boxes.asked()[0].icon, MsgIcon::Error);
    EXPECT_EQ(demo.Body(), body);
    EXPECT_TRUE(pgp.Commands().empty());
    EXPECT_FALSE(FileExists(ExchangeFilePath));
    ExpectRunEnded();

    host.hidden = 0;
    MainPGP(true);
    EXPECT_EQ(demo.Body().rfind(kBeginSigned, 0), 0u);
    EXPECT_EQ(boxes.asked().size(), 1u);
    ExpectRunEnded();
}

// Received text: unindented for PGP, decrypted, nothing written back; keys in the output are
// imported for as long as each import changes the clipboard.
TEST_F(MainPgpRun, ReceivedTextIsDecryptedAndItsWrappedKeysImported) {
    const std::string plain = "Meet me at noon.\r\n";
    const std::string armour = Encrypted(plain);
    ASSERT_EQ(armour.rfind(kBeginMessage, 0), 0u);
    std::string indented = " " + armour;
    const size_t end = indented.find("-----END PGP MESSAGE");
    indented.insert(end, " ");
    WriteFile(prog.file("in.txt"), "Subject: Secret\r\n\r\n" + indented);
    const struct {
        const char* control;
        bool ignoreKeys;
        size_t imports;
    } cases[] = {{"", false, 0},
                 {"WrapKey=1\r\n", false, 1},
                 {"WrapKey=1\r\nAddKeyRepeat=2\r\n", false, 3},
                 {"WrapKey=1\r\n", true, 0}};
    for (const auto& c : cases) {
        DemoMail demo("read", prog.file("in.txt"));
        pgp.Control(c.control);
        host.settings.ignoreWrappedKeys = c.ignoreKeys;
        host.hidden = 0;
        const size_t before = pgp.Commands().size();
        const size_t logBefore = LogLines().size();
        MainPGP(true);
        const auto commands = pgp.Commands();
        ASSERT_EQ(commands.size(), before + 1 + c.imports) << c.control;
        EXPECT_EQ(Get(commands[before], "id"), "40008");
        EXPECT_EQ(Get(commands[before], "before"), armour); // unindented
        EXPECT_EQ(Get(commands[before], "result").rfind("decrypted", 0), 0u);
        for (size_t i = 1; i <= c.imports; ++i)
            EXPECT_EQ(Get(commands[before + i], "id"), "40006");
        EXPECT_EQ(demo.Body(), indented); // nothing written back
        EXPECT_TRUE(host.receiver.empty());
        EXPECT_FALSE(FileExists(ExchangeFilePath));
        EXPECT_NE(GetClipboardText().find(plain), std::string::npos) << c.control;
        const std::vector<std::string> log = LogLines();
        size_t nested = 0;
        for (size_t i = logBefore; i < log.size(); ++i)
            nested += log[i] == "(Nested) Invoked PGP with -AddKey";
        EXPECT_EQ(nested, c.imports) << c.control;
        ExpectRunEnded();
    }
}

TEST_F(MainPgpRun, FailedEncryptionLeavesTheMailAlone) {
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    const std::string body = demo.Body();
    pgp.Control("EncryptAsSign=1\r\n");
    MainPGP(true);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_NE(boxes.asked()[0].text.find("PGP failed to encrypt!!!"), std::string::npos);
    EXPECT_EQ(demo.Body(), body);
    EXPECT_EQ(host.receiver, std::vector<std::string>{""});
    EXPECT_FALSE(FileExists(ExchangeFilePath));
    ExpectRunEnded();
}

// The run borrows the clipboard for PGP: after an outgoing run whose result reached the mail
// client the user's clipboard is back, every format of it; a received run leaves PGP's output
// there (and a write that failed leaves the result at hand: see the fault runs).
TEST_F(MainPgpRun, TheUsersClipboardComesBackAfterAnOutgoingRun) {
    const UINT second = RegisterClipboardFormatA("Wextor test second format");
    const auto setUsersClipboard = [second] {
        ClipboardLock lock(nullptr);
        ASSERT_TRUE(lock.open() && EmptyClipboard());
        for (const auto& [format, text] :
             {std::pair<UINT, std::string>{CF_TEXT, "the user's own text"},
              std::pair<UINT, std::string>{second, "second format data"}}) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
            lstrcpyA(static_cast<char*>(GlobalLock(block)), text.c_str());
            GlobalUnlock(block);
            ASSERT_TRUE(SetClipboardData(format, block));
        }
    };
    const auto secondFormat = [second] {
        ClipboardLock lock(nullptr);
        HANDLE data = lock.open() ? GetClipboardData(second) : nullptr;
        const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        const std::string text = bytes ? bytes : "";
        if (bytes)
            GlobalUnlock(data);
        return text;
    };
    {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        setUsersClipboard();
        MainPGP(true);
        EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u);
        EXPECT_EQ(GetClipboardText(), "the user's own text");
        EXPECT_EQ(secondFormat(), "second format data");
    }
    {
        WriteFile(prog.file("in.txt"),
                  "Subject: Secret\r\n\r\n" + Encrypted("Meet me at noon.\r\n"));
        DemoMail demo("read", prog.file("in.txt"));
        setUsersClipboard();
        host.hidden = 0;
        MainPGP(true);
        // PGP's output, as PGP left it.
        EXPECT_NE(GetClipboardText().find("Meet me at noon."), std::string::npos);
        EXPECT_EQ(secondFormat(), "");
    }
    ExpectRunEnded();
    EXPECT_TRUE(boxes.asked().empty());
}

// However an outgoing run ends, the clipboard holds what the user had, never the message.
TEST_F(MainPgpRun, NoRunLeavesTheMessageOnTheClipboard) {
    const struct {
        const char* what;
        const char* control;
        int mode;
        bool resultInMail;
    } cases[] = {
        {"encrypted", "", 0, true},
        {"cancelled in PGP (nothing changed)", "LeaveClipboard=all\r\n", 0, false},
        {"PGP failed to sign", "LeaveClipboard=all\r\n", 1, false},
        {"PGP signed instead of encrypting", "EncryptAsSign=1\r\n", 0, false},
    };
    for (const auto& c : cases) {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        const std::string body = demo.Body();
        pgp.Control(c.control);
        host.settings.routineMode = c.mode;
        SetUsersClipboard();
        host.hidden = 0;
        MainPGP(true);
        EXPECT_EQ(demo.Body() != body, c.resultInMail) << c.what;
        EXPECT_TRUE(UsersClipboardIsBack()) << c.what << ": " << GetClipboardText();
        EXPECT_EQ(GetClipboardText().find(body.substr(0, 20)), std::string::npos) << c.what;
        // Windows sets no data on a clipboard emptied without an owner (Wine does).
        EXPECT_EQ(GetClipboardOwner(), ClipboardOwner()) << c.what;
    }
    ExpectRunEnded();
}

// A clipboard manager may hold the clipboard right after PGP wrote: a second is waited out, and
// a clipboard that stays busy is said to be busy, never taken for PGP's failure.
TEST_F(MainPgpRun, BusyClipboardAfterPgpIsWaitedForAndNamed) {
    {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        pgp.Control("HoldClipboardMs=1000\r\n");
        MainPGP(true);
        EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u) << demo.Body().substr(0, 40);
        EXPECT_TRUE(boxes.asked().empty());
    }
    {
        DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
        const std::string body = demo.Body();
        pgp.Control("HoldClipboardMs=3000\r\n");
        host.hidden = 0;
        MainPGP(true);
        EXPECT_EQ(demo.Body(), body);
        ASSERT_EQ(boxes.asked().size(), 1u);
        EXPECT_EQ(boxes.asked()[0].text, ClipboardBusyText);
    }
    ExpectRunEnded();
}

// The user must not believe the mail signed: the failure is said as for encryption.
TEST_F(MainPgpRun, PgpLeavingTheClipboardAsItWasTouchesNothing) {
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    const std::string body = demo.Body();
    pgp.Control("LeaveClipboard=all\r\n");
    host.settings.routineMode = 1; // signing: no check for an encrypted block
    MainPGP(true);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_NE(boxes.asked()[0].text.find("PGP failed to sign!!!"), std::string::npos);
    EXPECT_EQ(demo.Body(), body);
    EXPECT_EQ(host.receiver, std::vector<std::string>{""});
    EXPECT_FALSE(FileExists(ExchangeFilePath));
    ExpectRunEnded();
}

TEST_F(MainPgpRun, NoMailerRunningAbortEndsRetryFindsTheStartedClient) {
    boxes.Queue(mrAbort);
    MainPGP(true);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].buttons, unsigned(mbAbort | mbRetry | mbHelp));
    EXPECT_TRUE(pgp.Commands().empty());
    ExpectRunEnded();

    std::unique_ptr<DemoMail> demo;
    MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest&) {
        demo = std::make_unique<DemoMail>("compose", Bin("testbed\\data\\compose.txt"));
        return int(mrRetry);
    });
    host.hidden = 0;
    MainPGP(true);
    SetMsgBoxHandler(previous);
    ASSERT_TRUE(demo);
    EXPECT_EQ(demo->Body().rfind(kBeginMessage, 0), 0u);
    ExpectRunEnded();
}

// Two clients: the chooser picks Notepad, whose header block survives the round trip; Cancel
// abandons the run before anything is read.
TEST_F(MainPgpRun, ChooserPicksTheMailerOrCancelsAndNotepadRoundTrip) {
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    const std::string demoBody = demo.Body();
    Notepad pad;
    const std::string note = ReadFile(Bin("testbed\\data\\notepad.txt"));
    pad.SetText(note);
    ActiveDriverFiles = {"DEMOMFD.EXE", "NOTEMFD.EXE"};
    ChooserIndex = 5;
    {
        int preselected = -5;
        DialogDriver driver(ChooserCaption, [&](HWND d) {
            preselected =
                static_cast<int>(SendDlgItemMessageA(d, IDC_CHOOSER_LIST, LB_GETCURSEL, 0, 0));
            Click(d, IDCANCEL);
        });
        MainPGP(true);
        EXPECT_EQ(driver.runs(), 1);
        EXPECT_EQ(preselected, 0);
        EXPECT_TRUE(pgp.Commands().empty());
        ExpectRunEnded();
    }
    {
        DialogDriver driver(ChooserCaption, [&](HWND d) {
            const HWND list = GetDlgItem(d, IDC_CHOOSER_LIST);
            SendMessageA(list, LB_SETCURSEL, 1, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            Click(d, IDOK);
        });
        host.hidden = 0;
        MainPGP(true);
        EXPECT_EQ(driver.runs(), 1);
    }
    EXPECT_EQ(host.driver, "NOTEMFD.EXE");
    EXPECT_EQ(ChooserIndex, 1);
    const size_t headerEnd = note.find("\r\n\r\n") + 4;
    const std::string text = pad.Text();
    EXPECT_EQ(text.substr(0, headerEnd), note.substr(0, headerEnd));
    EXPECT_EQ(text.substr(headerEnd).rfind(kBeginMessage, 0), 0u) << text;
    EXPECT_EQ(Get(pgp.Commands().back(), "before"), note.substr(headerEnd));
    EXPECT_EQ(demo.Body(), demoBody);
    ExpectRunEnded();
}

TEST_F(MainPgpRun, ScriptInCapitalsRunsThroughTheEngine) {
    DriverFolder folder(MfdDirectory);
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    ActiveDriverFiles = {"DEMOMAIL.MFS"};
    MainPGP(true);
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u);
    ExpectRunEnded();
}

TEST_F(MainPgpRun, StaleCommandCancelStopsAtOnceIgnoreGoesOn) {
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    PgpCommandWindow = anchor.get();
    boxes.Queue(mrCancel);
    {
        CreationCounter windows;
        MainPGP(true);
        EXPECT_EQ(windows.count(), 0) << windows.classes(); // no "PGP Running" window, no chooser
    }
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, StaleCommandText());
    EXPECT_EQ(boxes.asked()[0].buttons, unsigned(mbCancel | mbIgnore));
    EXPECT_EQ(boxes.asked()[0].helpContext, 0u);
    EXPECT_EQ(host.hidden, 1);
    EXPECT_EQ(StepCode, 5501);
    EXPECT_TRUE(LogLines().empty() || LogLines().back() != "MainPGP-End");
    EXPECT_EQ(PgpCommandWindow, anchor.get());

    boxes.Queue(mrIgnore);
    host.hidden = 0;
    {
        CreationCounter windows;
        MainPGP(true);
        EXPECT_GE(windows.count(), 1); // the count sees the run's windows
    }
    EXPECT_EQ(PgpCommandWindow, nullptr);
    EXPECT_EQ(demo.Body().rfind(kBeginMessage, 0), 0u);
    ExpectRunEnded();
}

// A driver that leaves no message: no window to read, or an empty exchange file.
TEST_F(MainPgpRun, NoDataFromTheMailClient) {
    WriteFile(mfd.file("EMPTY.CMD"),
              "@echo off\r\nif /i \"%1\"==\"Data\" (echo MFD-Protocol-Version: 1& echo Short: "
              "props) > %3\r\nif /i \"%1\"==\"read\" type nul > %3\r\n");
    struct Case {
        const char* what;
        std::vector<std::string> drivers;
    } cases[] = {{"no message window", {"DEMOMFD.EXE"}}, {"empty file", {"EMPTY.CMD"}}};
    for (const Case& c : cases) {
        DemoMail demo; // main window only
        ActiveDriverFiles = c.drivers;
        host.hidden = 0;
        const size_t asked = boxes.asked().size();
        MainPGP(true);
        ASSERT_EQ(boxes.asked().size(), asked + 1) << c.what;
        // A driver that says why (its exit code) is named with the code.
        EXPECT_EQ(boxes.asked().back().text.rfind(NoDataText, 0), 0u) << c.what;
        EXPECT_EQ(boxes.asked().back().text.find("DEMOMFD.EXE") != std::string::npos,
                  c.drivers[0] == "DEMOMFD.EXE")
            << c.what;
        EXPECT_EQ(boxes.asked().back().buttons, unsigned(mbOK));
        EXPECT_FALSE(FileExists(ExchangeFilePath));
        EXPECT_TRUE(pgp.Commands().empty());
        ExpectRunEnded();
    }
}

// An error after the read still wipes the message and ends the run; its report can tell where.
TEST_F(MainPgpRun, ErrorAfterTheReadWipesAndEndsTheRun) {
    DemoMail demo("compose", Bin("testbed\\data\\compose.txt"));
    host.settingsFail = true;
    EXPECT_THROW(MainPGP(true), FileError);
    host.settingsFail = false;
    EXPECT_EQ(StepCode, 5506);
    EXPECT_FALSE(FileExists(ExchangeFilePath));
    EXPECT_EQ(RunningForm(), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "PGP Running"), nullptr);
    EXPECT_TRUE(pgp.Commands().empty());
}

} // namespace
