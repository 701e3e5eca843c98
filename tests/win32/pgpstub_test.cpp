// The PGP stand-in (testbed/pgp) as a real process: its window, commands on the clipboard,
// control-file switches, command log and the programs beside it.
#include "stublog.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <thread>

using namespace wintest;

namespace {

const char kTrayClass[] = "PGPtray_Hidden_Window";
const char* const kPgpFiles[] = {"PGPstub.exe", "PGPKeys.Exe", "PGPTray.Exe", "PGPTools.Exe",
                                 "PGP50.Hlp"};
const char kBeginMessage[] = "-----BEGIN PGP MESSAGE-----\r\n";
const char kEndMessage[] = "-----END PGP MESSAGE-----\r\n";
const char kBeginSigned[] = "-----BEGIN PGP SIGNED MESSAGE-----\r\n";
const char kBeginSignature[] = "\r\n-----BEGIN PGP SIGNATURE-----\r\n";
const char kEndSignature[] = "-----END PGP SIGNATURE-----\r\n";
const char kKeyBegin[] = "-----BEGIN PGP PUBLIC KEY BLOCK-----";

enum : WORD {
    kAddKey = 40006,
    kEncryptSign = 40007,
    kDecrypt = 40008,
    kPreferences = 40012,
    kOther = 40016,
    kEncrypt = 40017,
    kSign = 40018,
    kTools = 40019
};

// Every line of an armoured output ends in CR LF, data lines are at most 64 columns, and the
// armour has a Version header and a checksum line.
void ExpectArmourLines(const std::string& armour) {
    for (size_t i = 0; i < armour.size(); ++i)
        if (armour[i] == '\n') {
            ASSERT_TRUE(i > 0 && armour[i - 1] == '\r') << "lone LF at " << i;
        }
    EXPECT_NE(armour.find("\r\nVersion: "), std::string::npos) << armour;
    EXPECT_NE(armour.find("\r\n="), std::string::npos) << armour;
    size_t pos = armour.find("\r\n\r\n");
    ASSERT_NE(pos, std::string::npos);
    for (pos += 4; armour.compare(pos, 1, "=") != 0; pos = armour.find("\r\n", pos) + 2)
        EXPECT_LE(armour.find("\r\n", pos) - pos, 64u) << armour;
}

class PgpStub : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA(kTrayClass, nullptr), nullptr) << "a stand-in is still running";
        const std::string src = std::string(WEXTOR_BIN_DIR) + "/testbed/pgp/";
        for (const char* f : kPgpFiles)
            ASSERT_TRUE(CopyFileA((src + f).c_str(), dir.file(f).c_str(), FALSE)) << f;
        Control("");
        clipOwner = CreateWindowExA(0, "STATIC", "clip owner", 0, 0, 0, 0, 0, nullptr, nullptr,
                                    nullptr, nullptr);
    }

    void TearDown() override {
        if (HWND w = FindWindowA(kTrayClass, nullptr))
            PostMessageA(w, WM_CLOSE, 0, 0);
        // Every stand-in that logged its start here ends, by itself or by force.
        for (const Record& r : Log()) {
            if (r.at("event") != "start")
                continue;
            HANDLE h =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION,
                            FALSE, std::stoul(r.at("pid")));
            if (!h)
                continue;
            char image[MAX_PATH];
            DWORD n = MAX_PATH;
            const bool ours = QueryFullProcessImageNameA(h, 0, image, &n) &&
                              _strnicmp(image, dir.path().c_str(), dir.path().size()) == 0;
            if (ours && WaitForSingleObject(h, 5000) != WAIT_OBJECT_0)
                TerminateProcess(h, 1);
            CloseHandle(h);
        }
        EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) == nullptr; }));
        DestroyWindow(clipOwner);
    }

    // The control file, with result and side windows kept out of the way unless asked for.
    void Control(const std::string& lines) {
        WriteFile(dir.file("PGPstub.ini"),
                  "[PGPstub]\r\nShowResult=0\r\nSideWindowMs=200\r\n" + lines);
    }

    HANDLE Run(const std::string& name) {
        std::string cmd = "\"" + dir.file(name) + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        EXPECT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi))
            << name;
        CloseHandle(pi.hThread);
        processes.push_back(pi.hProcess);
        return pi.hProcess;
    }

    HWND StartStub() {
        Run("PGPstub.exe");
        EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }));
        return tray = FindWindowA(kTrayClass, nullptr);
    }

    void Send(WPARAM wParam, LPARAM lParam = 0) {
        DWORD_PTR result = 0;
        ASSERT_TRUE(
            SendMessageTimeoutA(tray, WM_COMMAND, wParam, lParam, SMTO_NORMAL, 30000, &result));
    }

    bool OpenClip() {
        return PollUntil([&] { return OpenClipboard(clipOwner) != FALSE; }, 5000);
    }

    void SetClip(const std::string& text) {
        ASSERT_TRUE(OpenClip());
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        EXPECT_NE(SetClipboardData(CF_TEXT, mem), nullptr);
        CloseClipboard();
    }

    void ClearClip() {
        ASSERT_TRUE(OpenClip());
        EmptyClipboard();
        CloseClipboard();
    }

    std::string Clip() {
        std::string text = "<no clipboard>";
        if (!OpenClip())
            return text;
        text = "<no text>";
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return text;
    }

    // Puts text on the clipboard, sends the command and returns the clipboard afterwards.
    std::string Do(WORD id, const std::string& text) {
        SetClip(text);
        Send(id);
        return Clip();
    }

    std::vector<Record> Log() { return ParseStubLog(ReadFile(dir.file("PGPstub.log"))); }

    std::vector<Record> Commands() {
        std::vector<Record> c;
        for (const Record& r : Log())
            if (r.at("event") == "command")
                c.push_back(r);
        return c;
    }

    std::string LastResult() {
        const auto c = Commands();
        return c.empty() ? "<none>" : c.back().at("result");
    }

    size_t Count(const std::string& event, const std::string& prog = "") {
        size_t n = 0;
        for (const Record& r : Log())
            if (r.at("event") == event &&
                (prog.empty() || (r.count("prog") && r.at("prog") == prog)))
                ++n;
        return n;
    }

    TempDir dir{"pgp"};
    HWND clipOwner = nullptr;
    HWND tray = nullptr;
    std::vector<HANDLE> processes;

    ~PgpStub() override {
        for (HANDLE h : processes)
            CloseHandle(h);
    }
};

TEST_F(PgpStub, MakesAHiddenTopLevelWindowAndLogsItsStart) {
    HWND w = StartStub();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetParent(w), nullptr);
    char cls[64];
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, kTrayClass);
    // The stand-in logs its window just after making it: the window can be found first.
    EXPECT_TRUE(PollUntil([&] { return Log().size() >= 2; }));
    const auto log = Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].at("event"), "start");
    EXPECT_EQ(log[0].at("prog"), "PGPstub.exe");
    EXPECT_EQ(log[1].at("event"), "window");
}

TEST_F(PgpStub, EveryOperationRoundTripsExactly) {
    StartStub();
    const std::string texts[] = {
        "x",
        "Hello",
        "Dear Bob,\r\n\r\nsee you at eight.\r\n",
        "no final line end\r\nsecond line",
        "ends with blank lines\r\n\r\n\r\n",
        "\r\n",
        "-- \r\n- dash and blank\r\n---\r\n",
        "-----BEGIN PGP MESSAGE-----\r\nnot armour\r\n-----END PGP MESSAGE-----\r\n",
        "-----BEGIN PGP SIGNATURE-----\r\ninside a signed text\r\n",
        "lone LF\nlines\n",
        "caf\xE9 \xFC\xFF\x80 \x01\ttab",
        std::string(1000, 'a') + "\r\ntrailing text",
    };
    struct Op {
        WORD id;
        const char* begin;
        const char* result;
    };
    const Op ops[] = {{kEncrypt, kBeginMessage, "decrypted"},
                      {kEncryptSign, kBeginMessage, "decrypted+good-signature"},
                      {kSign, kBeginSigned, "good-signature"}};
    for (const Op& op : ops) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(std::to_string(op.id) + ": " + text.substr(0, 40));
            const std::string armour = Do(op.id, text);
            EXPECT_EQ(armour.find(op.begin), 0u) << armour;
            if (op.id == kSign) {
                EXPECT_NE(armour.find(kBeginSignature), std::string::npos) << armour;
                EXPECT_EQ(armour.rfind(kEndSignature), armour.size() - strlen(kEndSignature));
            } else {
                EXPECT_EQ(armour.rfind(kEndMessage), armour.size() - strlen(kEndMessage));
                if (text.size() > 3) {
                    EXPECT_EQ(armour.find(text), std::string::npos) << "plain text visible";
                }
            }
            ExpectArmourLines(armour.substr(op.id == kSign ? armour.find(kBeginSignature) : 0));
            EXPECT_EQ(Do(kDecrypt, armour), text);
            EXPECT_EQ(LastResult(), op.result);
        }
    }
    EXPECT_EQ(Do(kEncrypt, "same"), Do(kEncrypt, "same")) << "not deterministic";
}

TEST_F(PgpStub, DecryptReplacesBlocksAndKeepsTheTextAround) {
    StartStub();
    const std::string secret = "the secret\r\n", signedText = "signed words\r\n";
    const std::string encrypted = Do(kEncrypt, secret);
    const std::string clearSigned = Do(kSign, signedText);
    const std::string mail =
        "From: alice\r\n> quoted\r\n" + encrypted + "between\r\n" + clearSigned + "-- \r\nfooter";
    EXPECT_EQ(Do(kDecrypt, mail), "From: alice\r\n> quoted\r\n" + secret + "between\r\n" +
                                      signedText + "-- \r\nfooter");
    EXPECT_EQ(LastResult(), "decrypted,good-signature");

    // A mail client that turned CR LF into LF still gets the exact plain text back.
    std::string lf = encrypted;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;)
        lf.erase(p, 1);
    EXPECT_EQ(Do(kDecrypt, lf), secret);
}

TEST_F(PgpStub, DecryptFailuresLeaveTheBlock) {
    StartStub();
    std::string damaged = Do(kEncrypt, "some text that is long enough");
    const size_t data = damaged.find("\r\n\r\n") + 4;
    damaged[data + 5] = damaged[data + 5] == 'A' ? 'B' : 'A';
    std::string tampered = Do(kSign, "pay 10 dollars\r\n");
    tampered.replace(tampered.find("10"), 2, "99");
    const std::string foreign =
        "-----BEGIN PGP MESSAGE-----\r\nVersion: 2.6.2\r\n\r\nhQEMA0xyzabc\r\n-----END PGP "
        "MESSAGE-----\r\n";
    struct Case {
        std::string text, result, clipboard;
    };
    const Case cases[] = {
        {"plain mail, no armour\r\n", "no-data", "plain mail, no armour\r\n"},
        {damaged, "bad-checksum", damaged},
        {tampered, "bad-signature", "pay 99 dollars\r\n"},
        {foreign, "cannot-decrypt", foreign},
        {"-----BEGIN PGP MESSAGE-----\r\nno end\r\n", "no-data",
         "-----BEGIN PGP MESSAGE-----\r\nno end\r\n"},
        {"-----begin pgp message-----\r\nx\r\n-----end pgp message-----\r\n", "no-data",
         "-----begin pgp message-----\r\nx\r\n-----end pgp message-----\r\n"},
        {" " + Do(kEncrypt, "indented"), "no-data", " " + Do(kEncrypt, "indented")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result + ": " + c.text.substr(0, 40));
        EXPECT_EQ(Do(kDecrypt, c.text), c.clipboard);
        EXPECT_EQ(LastResult(), c.result);
    }
}

TEST_F(PgpStub, EmptyClipboardGivesNoOutput) {
    StartStub();
    ClearClip();
    Send(kEncrypt);
    EXPECT_EQ(Clip(), "<no text>");
    EXPECT_EQ(LastResult(), "empty");
    EXPECT_EQ(Commands().back().at("clip"), "no-text");
    EXPECT_EQ(Do(kSign, ""), "");
    EXPECT_EQ(LastResult(), "empty");
}

TEST_F(PgpStub, AddKeyAppendsEachKeyBlockToTheKeyring) {
    StartStub();
    const std::string key1 = std::string(kKeyBegin) +
                             "\r\nVersion: 5.0\r\n\r\nmQCNAzQ1\r\n=abcd\r\n-----END PGP PUBLIC "
                             "KEY BLOCK-----\r\n";
    const std::string key2 = std::string(kKeyBegin) + "\r\n\r\nmQCNAzQ2\r\n-----END PGP PUBLIC "
                                                      "KEY BLOCK-----\r\n";
    const std::string text = "my keys:\r\n" + key1 + "and\r\n" + key2 + "bye";
    EXPECT_EQ(Do(kAddKey, text), text);
    EXPECT_EQ(LastResult(), "keys=2");
    EXPECT_EQ(ReadFile(dir.file("PGPstub.keys")), key1 + key2);
    EXPECT_EQ(Do(kAddKey, "no key here"), "no key here");
    EXPECT_EQ(LastResult(), "keys=0");
    EXPECT_EQ(ReadFile(dir.file("PGPstub.keys")), key1 + key2);
}

TEST_F(PgpStub, ControlFileSwitchesAreReadAtEachCommand) {
    StartStub();
    Control("LeaveClipboard=all\r\n");
    for (WORD id : {kEncrypt, kSign, kEncryptSign, kDecrypt, kAddKey}) {
        EXPECT_EQ(Do(id, "untouched"), "untouched") << id;
        EXPECT_EQ(LastResult(), "left");
    }
    Control("LeaveClipboard=40018, 40008\r\n");
    EXPECT_EQ(Do(kSign, "untouched"), "untouched");
    EXPECT_EQ(Do(kEncrypt, "changed").find(kBeginMessage), 0u);

    Control("EncryptAsSign=1\r\n");
    for (WORD id : {kEncrypt, kEncryptSign}) {
        const std::string out = Do(id, "meant to be encrypted");
        EXPECT_EQ(out.find(kBeginSigned), 0u) << out;
        EXPECT_EQ(out.find("-----BEGIN PGP MESSAGE"), std::string::npos) << out;
        EXPECT_EQ(LastResult(), "signed-instead");
    }

    Control("WrapKey=1\r\n");
    const std::string decrypted = Do(kDecrypt, Do(kEncrypt, "hello"));
    EXPECT_EQ(decrypted.find("hello\r\n" + std::string(kKeyBegin) + "\r\n"), 0u) << decrypted;
    EXPECT_NE(decrypted.find("\r\n-----END PGP PUBLIC KEY BLOCK-----\r\n"), std::string::npos);
    EXPECT_EQ(LastResult(), "decrypted,wrapped-key");
    EXPECT_EQ(Do(kAddKey, decrypted), decrypted) << "an import must end a nested import loop";
    EXPECT_EQ(LastResult(), "keys=1");

    Control("AddKeyRepeat=2\r\n");
    std::string text = decrypted;
    for (int round = 1; round <= 3; ++round) {
        const std::string out = Do(kAddKey, text);
        EXPECT_EQ(out != text, round <= 2) << round;
        EXPECT_NE(out.find("\r\n" + std::string(kKeyBegin)), std::string::npos);
        text = out;
    }

    Control("");
    EXPECT_EQ(Do(kDecrypt, Do(kEncrypt, "hello")), "hello");
}

TEST_F(PgpStub, StartDelayHoldsTheWindowBack) {
    Control("StartDelayMs=1500\r\n");
    Run("PGPstub.exe");
    ASSERT_TRUE(PollUntil([&] { return Count("start") == 1; }));
    EXPECT_EQ(FindWindowA(kTrayClass, nullptr), nullptr);
    EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }));
}

TEST_F(PgpStub, NoWindowNeverMakesTheWindowAndEndsByItself) {
    Control("NoWindow=1\r\nNoWindowExitMs=300\r\n");
    HANDLE p = Run("PGPstub.exe");
    ASSERT_EQ(WaitForSingleObject(p, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(FindWindowA(kTrayClass, nullptr), nullptr);
    EXPECT_EQ(Count("nowindow"), 1u);
    EXPECT_EQ(Count("window"), 0u);
}

TEST_F(PgpStub, SecondCopyLeavesTheFirst) {
    HWND first = StartStub();
    HANDLE second = Run("PGPstub.exe");
    ASSERT_EQ(WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(Count("already-running"), 1u);
    EXPECT_EQ(FindWindowA(kTrayClass, nullptr), first);
}

TEST_F(PgpStub, CommandLogRecordsEachCommandInOrder) {
    StartStub();
    const std::string armour = Do(kEncrypt, "line 1\r\nline\t2\\");
    Do(kDecrypt, armour);
    Do(kPreferences, "p");
    Do(kOther, "o");
    Do(12345, "unknown");
    Do(kTools, "t");
    SetClip("menu");
    Send(MAKEWPARAM(kOther, 1), 7);
    const auto c = Commands();
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[6].at("id"), "40016");
    EXPECT_EQ(c[6].at("wparam"), std::to_string(MAKEWPARAM(kOther, 1)));
    EXPECT_EQ(c[6].at("lparam"), "7");
    EXPECT_EQ(c[0].at("lparam"), "0");
    const char* ids[] = {"40017", "40008", "40012", "40016", "12345", "40019", "40016"};
    const char* ops[] = {"encrypt", "decrypt-verify", "preferences", "other",
                         "other",   "tools",          "other"};
    for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_EQ(c[i].at("id"), ids[i]);
        EXPECT_EQ(c[i].at("op"), ops[i]);
        EXPECT_EQ(c[i].at("before_len"), std::to_string(c[i].at("before").size()));
        EXPECT_EQ(c[i].at("after_len"), std::to_string(c[i].at("after").size()));
        EXPECT_EQ(c[i].at("clip"), "text");
    }
    EXPECT_EQ(c[0].at("before"), "line 1\r\nline\t2\\");
    EXPECT_EQ(c[0].at("after"), armour);
    EXPECT_EQ(c[1].at("before"), armour);
    EXPECT_EQ(c[1].at("after"), "line 1\r\nline\t2\\");
    EXPECT_EQ(c[3].at("after"), "o");
    EXPECT_EQ(c[4].at("result"), "ignored");
    EXPECT_EQ(c[5].at("result"), "tools-started");
    EXPECT_TRUE(PollUntil([&] { return Count("exit", "PGPTools.Exe") == 1; }));
}

TEST_F(PgpStub, CommandWaitsForItsDialog) {
    StartStub();
    Control("CommandDelayMs=60000\r\n");
    SetClip("waiting");
    std::atomic<bool> done{false};
    std::thread sender([&] {
        DWORD_PTR r;
        SendMessageTimeoutA(tray, WM_COMMAND, kEncrypt, 0, SMTO_NORMAL, 30000, &r);
        done = true;
    });
    HWND busy = nullptr;
    EXPECT_TRUE(
        PollUntil([&] { return (busy = FindWindowA("PGPstub_Busy", nullptr)) != nullptr; }));
    EXPECT_FALSE(done);
    EXPECT_TRUE(Commands().empty());
    PostMessageA(busy, WM_CLOSE, 0, 0);
    // The clipboard owner is this thread's window: it must answer while PGP replaces the text.
    EXPECT_TRUE(PollUntil([&] { return done.load(); }));
    sender.join();
    EXPECT_EQ(Clip().find(kBeginMessage), 0u);
    EXPECT_EQ(LastResult(), "encrypted");
}

TEST_F(PgpStub, ResultWindowsDoNotBlockAndCloseThemselves) {
    StartStub();
    Control("ShowResult=1\r\nResultCloseMs=300\r\n");
    const struct {
        WORD id;
        const char* cls;
    } cases[] = {{kDecrypt, "PGPstub_Result"},
                 {kAddKey, "PGPstub_Result"},
                 {kPreferences, "PGPstub_Preferences"}};
    for (const auto& c : cases) {
        Do(c.id, "text");
        HWND w = FindWindowA(c.cls, nullptr);
        ASSERT_NE(w, nullptr) << c.id;
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(w); })) << c.id;
    }
}

TEST_F(PgpStub, ProgramsBesideTheMainOne) {
    Control("SideWindowMs=60000\r\n");
    HANDLE keys = Run("PGPKeys.Exe");
    HWND w = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (w = FindWindowA("PGPstub_Keys", nullptr)) != nullptr; }));
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(keys, 10000), WAIT_OBJECT_0);
    Control("SideWindowMs=200\r\n");
    EXPECT_EQ(WaitForSingleObject(Run("PGPTools.Exe"), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(Count("start", "PGPKeys.Exe"), 1u);
    EXPECT_EQ(Count("start", "PGPTools.Exe"), 1u);

    // PGPTray.Exe brings the main program up once.
    EXPECT_EQ(WaitForSingleObject(Run("PGPTray.Exe"), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(PollUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }));
    EXPECT_EQ(WaitForSingleObject(Run("PGPTray.Exe"), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(Count("started-main", "PGPTray.Exe"), 1u);
    EXPECT_EQ(Count("already-running", "PGPTray.Exe"), 1u);
    EXPECT_EQ(Count("start", "PGPstub.exe"), 1u);

    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(dir.file("PGP*.Hlp").c_str(), &fd);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
}

TEST_F(PgpStub, VersionResourceNamesTheProduct) {
    const std::string exe = dir.file("PGPstub.exe");
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    const struct {
        const char* key;
        const char* value;
    } cases[] = {{"FileVersion", "5.0.3"}, {"ProductName", "PGP for Windows (stand-in)"}};
    for (const auto& c : cases) {
        char* value = nullptr;
        UINT len = 0;
        const std::string path = std::string("\\StringFileInfo\\040904b0\\") + c.key;
        ASSERT_TRUE(
            VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &len));
        EXPECT_STREQ(value, c.value);
    }
}

} // namespace
