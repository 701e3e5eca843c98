// GpgBridge.exe answering PGPtray's commands with the real GnuPG of the machine (under Wine,
// Linux gpg by its Z: path), in a throw-away GnuPG home with keys made for the test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "common/clipboard_win.h"
#include "common/unicode_win.h"
#include "gpgrun_win.h"
#include "keylist.h"
#include "status.h"

namespace {

const char kGpg[] = "Z:\\usr\\bin\\gpg";
// Characters of many scripts, none of which survives an ANSI code page whole.
const char kWorld[] = "Grüße aus Köln — naïve café, 5 €\r\nПривет, Боб! Ελληνικά. 你好，世界。 😀";
const char kLucja[] = "Łucja Żółć <lucja@example.org>";
const char kBridgeDir[] = BRIDGE_DIR;

bool PollUntil(const std::function<bool()>& cond, DWORD timeoutMs = 20000) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
    return true;
}

GpgRun Gpg(const Args& args, const std::string& input = "") {
    return RunGpg(kGpg, args, input);
}

// A key pair without passphrase in the current GnuPG home; returns its key id.
std::string MakeKey(const std::string& userId) {
    const GpgRun run =
        Gpg({"--passphrase", "", "--quick-gen-key", userId, "default", "default", "never"});
    EXPECT_TRUE(run.ran) << run.why;
    for (const GpgKey& key : ParseKeyList(Gpg(ListKeysArgs(true)).output))
        if (key.userId == userId)
            return key.keyId;
    ADD_FAILURE() << "no key made for " << userId << ": " << run.log;
    return {};
}

void RemoveHome(const std::string& home) {
    RunProgram("Z:\\bin\\rm", {"-rf", PathForProgram(kGpg, home)}, "");
}

// Wine gives each fresh prefix the same small process ids: a home an earlier run left under this
// name would bring its keys along, so it goes first.
std::string MakeHome(const std::string& name) {
    const std::string home = "Z:\\tmp\\" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveHome(home);
    CreateDirectoryA(home.c_str(), nullptr);
    RunProgram("Z:\\bin\\chmod", {"700", PathForProgram(kGpg, home)}, ""); // or gpg warns of it
    return home;
}

void UseHome(const std::string& home) {
    SetEnvironmentVariableA("GNUPGHOME", PathForProgram(kGpg, home).c_str());
}

void StopAgent(const std::string& home) {
    UseHome(home);
    RunProgram("Z:\\usr\\bin\\gpgconf", {"--kill", "all"}, "");
}

std::string ClipboardNow() {
    std::string text;
    ReadClipboardText(nullptr, text);
    return text;
}

HWND FindShown(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitFor(const char* title) {
    HWND window = nullptr;
    PollUntil([&] { return (window = FindShown(title)) != nullptr; });
    return window;
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ItemText(HWND dialog, int id) {
    wchar_t text[8192] = {};
    GetDlgItemTextW(dialog, id, text, 8192);
    return Utf8Of(text);
}

// Only CF_UNICODETEXT, as a Unicode program copies: the ANSI form Windows makes from it loses
// these characters, so only a bridge that reads the Unicode form gets them.
void PutUnicodeOnly(const std::string& text) {
    const std::wstring wide = Widen(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::string UnicodeClipboard() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = Utf8Of(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A list view's cell in another process: the item and its buffer must live in that process.
std::string ListCell(HANDLE process, HWND list, int row, int column) {
    struct Remote {
        LVITEMW item;
        wchar_t text[512];
    };
    auto* remote = static_cast<Remote*>(
        VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        return {};
    Remote local = {};
    local.item.iSubItem = column;
    local.item.pszText = remote->text;
    local.item.cchTextMax = 512;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&remote->item));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    local.text[511] = 0;
    return Utf8Of(local.text);
}

bool StartBridge(PROCESS_INFORMATION& process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = std::string(kBridgeDir) + "\\GpgBridge.exe";
    // Without a console, as a tray program runs when a mail tool starts it.
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                          nullptr, &startup, &process);
}

// Sends the command as Wextor does, from a thread of its own, since it returns only when the
// bridge has finished, its dialogs included.
class Command {
  public:
    Command(HWND bridge, int id)
        : thread_([this, bridge, id] {
              SendMessageA(bridge, WM_COMMAND, static_cast<WPARAM>(id), 0);
              done_ = true;
          }) {}
    ~Command() {
        if (thread_.joinable())
            thread_.join();
    }
    bool Finished() {
        return PollUntil([this] { return done_.load(); }, 60000);
    }

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

class BridgeTest : public ::testing::Test {
  protected:
    static std::string home_, other_, aliceId_, bobId_, lucjaId_, carolBlock_;
    static HWND bridge_;
    static PROCESS_INFORMATION process_;

    static void SetUpTestSuite() {
        other_ = MakeHome("gbo");
        UseHome(other_);
        MakeKey("Carol <carol@example.net>");
        carolBlock_ = Gpg({"--armor", "--export", "carol@example.net"}).output;
        StopAgent(other_);

        home_ = MakeHome("gbt");
        UseHome(home_);
        aliceId_ = MakeKey("Alice <alice@example.org>");
        bobId_ = MakeKey("Bob <bob@example.com>");
        lucjaId_ = MakeKey(kLucja);
        // A temporary folder named outside the ANSI code page, as under such a user profile.
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::wstring ownTemp = std::wstring(temp) + L"Łucja 李明";
        CreateDirectoryW(ownTemp.c_str(), nullptr);
        SetEnvironmentVariableW(L"TEMP", ownTemp.c_str());
        SetEnvironmentVariableW(L"TMP", ownTemp.c_str());
        WriteSettings("GpgPath=Z:\\usr\\bin\\gpg\r\nDefaultKey=" + aliceId_ +
                      "\r\nEncryptToSelf=0\r\n"
                      "LastRecipients=" +
                      bobId_ + "\r\n");

        ASSERT_TRUE(StartBridge(process_));
        PollUntil(
            [] { return (bridge_ = FindWindowA("PGPtray_Hidden_Window", nullptr)) != nullptr; });
        ASSERT_NE(bridge_, nullptr);
    }

    static void TearDownTestSuite() {
        if (bridge_)
            PostMessageA(bridge_, WM_COMMAND, 40102, 0); // the tray menu's Exit
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        StopAgent(home_);
        RemoveHome(home_);
        RemoveHome(other_);
    }

    // In UTF-16, as the bridge starts its file, so that a path outside the ANSI code page fits.
    static void WriteSettings(const std::string& lines) {
        const std::wstring text = L"\xFEFF[GnuPG]\r\n" + Widen(lines);
        HANDLE file = CreateFileA("C:\\windows\\GpgBridge.INI", GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
                  nullptr);
        CloseHandle(file);
    }

    // Runs a command whose recipients dialog is answered by the button.
    void Encrypt(int command, int button) {
        Command sent(bridge_, command);
        HWND dialog = WaitFor("GnuPG bridge - Recipients");
        ASSERT_NE(dialog, nullptr);
        Press(dialog, button);
        ASSERT_TRUE(sent.Finished());
    }

    // Runs 40008 and answers the result window; returns its signature line, or the error box's
    // text.
    std::string DecryptVerify(std::string* shownText = nullptr) {
        Command sent(bridge_, 40008);
        HWND window = nullptr;
        PollUntil([&] {
            return (window = FindShown("GnuPG bridge - Decrypted text")) ||
                   (window = FindShown("GnuPG bridge"));
        });
        EXPECT_NE(window, nullptr);
        if (!window)
            return {};
        const bool result = GetDlgItem(window, 1004) != nullptr;
        const std::string text = ItemText(window, result ? 1004 : 0xFFFF);
        if (shownText && result)
            *shownText = ItemText(window, 1005);
        Press(window, IDOK);
        EXPECT_TRUE(sent.Finished());
        return text;
    }
};

std::string BridgeTest::home_, BridgeTest::other_, BridgeTest::aliceId_, BridgeTest::bobId_,
    BridgeTest::lucjaId_, BridgeTest::carolBlock_;
HWND BridgeTest::bridge_ = nullptr;
PROCESS_INFORMATION BridgeTest::process_ = {};

TEST_F(BridgeTest, EncryptsToTheRememberedRecipientAndGpgDecryptsExactly) {
    const std::string body = "Meet at noon.\r\nBring the plans.\r\n";
    WriteClipboardText(nullptr, body);
    Command sent(bridge_, 40017);
    HWND dialog = WaitFor("GnuPG bridge - Recipients");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, 1002);
    EXPECT_EQ(ListView_GetItemCount(list), 3); // Alice, Bob, Łucja; Carol's key is elsewhere
    SetDlgItemTextA(dialog, 1001, "bob@");
    EXPECT_TRUE(PollUntil([&] { return ListView_GetItemCount(list) == 1; }, 5000));
    Press(dialog, IDOK);
    ASSERT_TRUE(sent.Finished());

    const std::string armour = ClipboardNow();
    ASSERT_EQ(armour.rfind("-----BEGIN PGP MESSAGE-----\r\n", 0), 0u) << armour;
    EXPECT_NE(armour.find("-----END PGP MESSAGE-----\r\n"), std::string::npos);
    EXPECT_NE(IsClipboardFormatAvailable(RegisterClipboardFormatA("CanIncludeInClipboardHistory")),
              0);
    const GpgRun plain = Gpg(DecryptArgs(), armour);
    EXPECT_EQ(plain.output, body);
    EXPECT_NE(plain.status.find("KEY_CONSIDERED "), std::string::npos);
    EXPECT_EQ(plain.status.find("ENC_TO " + aliceId_), std::string::npos)
        << "encrypted to self unasked";
}

TEST_F(BridgeTest, EveryCharacterSurvivesBothWays) {
    // Outgoing: from CF_UNICODETEXT to gpg as UTF-8.
    PutUnicodeOnly(kWorld);
    Encrypt(40017, IDOK);
    const GpgRun plain = Gpg(DecryptArgs(), ClipboardNow());
    EXPECT_EQ(plain.output, kWorld);
    // Incoming: gpg's UTF-8 to CF_UNICODETEXT and to the result window.
    const GpgRun armour =
        Gpg({"--armor", "--trust-model", "always", "-r", bobId_, "--encrypt"}, kWorld);
    ASSERT_TRUE(armour.ran) << armour.why;
    WriteClipboardText(nullptr, armour.output);
    std::string shown;
    DecryptVerify(&shown);
    EXPECT_EQ(shown, kWorld);
    EXPECT_EQ(UnicodeClipboard(), kWorld);
}

TEST_F(BridgeTest, RecipientsListShowsNamesWithEveryCharacter) {
    WriteClipboardText(nullptr, "x\r\n");
    Command sent(bridge_, 40017);
    HWND dialog = WaitFor("GnuPG bridge - Recipients");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, 1002);
    SetDlgItemTextW(dialog, 1001, L"Łucja");
    EXPECT_TRUE(PollUntil([&] { return ListView_GetItemCount(list) == 1; }, 5000));
    EXPECT_EQ(ListCell(process_.hProcess, list, 0, 0), kLucja);
    EXPECT_EQ(ListCell(process_.hProcess, list, 0, 1), lucjaId_);
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(sent.Finished());
}

TEST_F(BridgeTest, GnuPGInAFolderNamedOutsideTheAnsiCodePageRuns) {
    const std::string folder = "Z:\\tmp\\gbt-Łucja-李明-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    const std::string gpg = folder + "\\gpg";
    RunProgram("Z:\\bin\\ln", {"-sf", "/usr/bin/gpg", PathForProgram(kGpg, gpg)}, "");
    WriteSettings("GpgPath=" + gpg + "\r\nDefaultKey=" + aliceId_ + "\r\nEncryptToSelf=0\r\n");
    PutUnicodeOnly(kWorld);
    {
        Command sent(bridge_, 40018);
        ASSERT_TRUE(sent.Finished());
    }
    const GpgRun verified = Gpg({"--decrypt"}, ClipboardNow());
    EXPECT_NE(verified.status.find("GOODSIG " + aliceId_), std::string::npos) << verified.log;
    EXPECT_NE(verified.output.find("Привет, Боб!"), std::string::npos) << verified.output;
    RunProgram("Z:\\bin\\rm", {"-rf", PathForProgram(kGpg, folder)}, "");
    WriteSettings("GpgPath=Z:\\usr\\bin\\gpg\r\nDefaultKey=" + aliceId_ +
                  "\r\nEncryptToSelf=0\r\nLastRecipients=" + bobId_ + "\r\n");
}

TEST_F(BridgeTest, FilterWordsMustAllMatchAndAnEmptyFilterShowsAllAgain) {
    WriteClipboardText(nullptr, "x\r\n");
    Command sent(bridge_, 40017);
    HWND dialog = WaitFor("GnuPG bridge - Recipients");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, 1002);
    const int all = ListView_GetItemCount(list);
    SetDlgItemTextA(dialog, 1001, "ALICE example");
    EXPECT_TRUE(PollUntil([&] { return ListView_GetItemCount(list) == 1; }, 5000));
    SetDlgItemTextA(dialog, 1001, "");
    EXPECT_TRUE(PollUntil([&] { return ListView_GetItemCount(list) == all; }, 5000));
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(sent.Finished());
}

TEST_F(BridgeTest, CancelledRecipientsLeaveTheClipboardUnchanged) {
    WriteClipboardText(nullptr, "Not for anyone.\r\n");
    Encrypt(40007, IDCANCEL);
    EXPECT_EQ(ClipboardNow(), "Not for anyone.\r\n");
}

TEST_F(BridgeTest, EncryptedTextDecryptsBackThroughTheBridge) {
    const std::string body = "Round trip.\r\n";
    WriteClipboardText(nullptr, body);
    Encrypt(40007, IDOK); // encrypt and sign with the default key
    ASSERT_EQ(ClipboardNow().rfind("-----BEGIN PGP MESSAGE-----", 0), 0u);
    std::string shown;
    const std::string signature = DecryptVerify(&shown);
    EXPECT_NE(signature.find("decrypted"), std::string::npos) << signature;
    EXPECT_NE(signature.find("Good signature from Alice"), std::string::npos) << signature;
    EXPECT_EQ(shown, body);
    EXPECT_EQ(ClipboardNow(), body); // left for the mail tool, as PGP leaves it
}

TEST_F(BridgeTest, TextFromOtherSystemsComesBackWithWindowsLineBreaks) {
    const GpgRun armour =
        Gpg({"--armor", "--trust-model", "always", "-r", bobId_, "--encrypt"}, "one\ntwo\n");
    ASSERT_TRUE(armour.ran) << armour.why;
    WriteClipboardText(nullptr, armour.output);
    std::string shown;
    DecryptVerify(&shown);
    EXPECT_EQ(ClipboardNow(), "one\r\ntwo\r\n");
    EXPECT_EQ(shown, "one\r\ntwo\r\n");
}

TEST_F(BridgeTest, SignsClearAndVerifies) {
    WriteClipboardText(nullptr, "Signed words.\r\n");
    {
        Command sent(bridge_, 40018);
        ASSERT_TRUE(sent.Finished());
    }
    const std::string signedText = ClipboardNow();
    ASSERT_EQ(signedText.rfind("-----BEGIN PGP SIGNED MESSAGE-----\r\n", 0), 0u) << signedText;
    EXPECT_NE(Gpg({"--verify"}, signedText).status.find("GOODSIG " + aliceId_), std::string::npos);
    const std::string signature = DecryptVerify();
    EXPECT_NE(signature.find("Good signature from Alice"), std::string::npos) << signature;
    EXPECT_NE(ClipboardNow().find("Signed words."), std::string::npos);
}

TEST_F(BridgeTest, DamagedArmourIsReportedWithGpgsWordsAndTheClipboardKept) {
    WriteClipboardText(nullptr, "Damaged.\r\n");
    Encrypt(40017, IDOK);
    std::string armour = ClipboardNow();
    const size_t middle = armour.find("\r\n\r\n") + 10;
    ASSERT_LT(middle, armour.size());
    armour.replace(middle, 20, "AAAAAAAAAAAAAAAAAAAA");
    WriteClipboardText(nullptr, armour);
    const std::string box = DecryptVerify();
    EXPECT_NE(box.find("GnuPG could not decrypt or verify the text"), std::string::npos) << box;
    EXPECT_NE(box.find("GnuPG said"), std::string::npos) << box;
    EXPECT_EQ(ClipboardNow(), armour);
}

TEST_F(BridgeTest, AddKeyShowsTheKeysAndImportsOnConfirmation) {
    ASSERT_NE(carolBlock_.find("BEGIN PGP PUBLIC KEY BLOCK"), std::string::npos);
    for (int button : {IDCANCEL, IDOK}) {
        WriteClipboardText(nullptr, "Here is my key:\r\n" + carolBlock_);
        Command sent(bridge_, 40006);
        HWND dialog = WaitFor("GnuPG bridge - Add keys");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(dialog, 1002)), 1);
        Press(dialog, button);
        if (button == IDOK) {
            HWND box = WaitFor("GnuPG bridge");
            ASSERT_NE(box, nullptr);
            EXPECT_NE(ItemText(box, 0xFFFF).find("1 imported"), std::string::npos)
                << ItemText(box, 0xFFFF);
            Press(box, IDOK);
        }
        ASSERT_TRUE(sent.Finished());
        const bool known =
            Gpg(ListKeysArgs(false)).output.find("carol@example.net") != std::string::npos;
        EXPECT_EQ(known, button == IDOK);
    }
}

TEST_F(BridgeTest, OtherCommandsGiveANoticeAndMissingGnuPGIsExplained) {
    struct Case {
        const char* settings;
        int command;
        const char* words;
    } cases[] = {
        {nullptr, 40019, "PGPtools"},
        {nullptr, 40016, "40016"},
        {"GpgPath=C:\\nowhere\\gpg.exe\r\n", 40018, "GnuPG was not found"},
    };
    for (const Case& c : cases) {
        if (c.settings)
            WriteSettings(c.settings);
        WriteClipboardText(nullptr, "Unchanged.\r\n");
        Command sent(bridge_, c.command);
        HWND box = WaitFor("GnuPG bridge");
        ASSERT_NE(box, nullptr) << c.command;
        EXPECT_NE(ItemText(box, 0xFFFF).find(c.words), std::string::npos) << ItemText(box, 0xFFFF);
        Press(box, IDOK);
        EXPECT_TRUE(sent.Finished());
        EXPECT_EQ(ClipboardNow(), "Unchanged.\r\n");
    }
    WriteSettings("GpgPath=Z:\\usr\\bin\\gpg\r\nDefaultKey=" + aliceId_ +
                  "\r\nEncryptToSelf=0\r\nLastRecipients=" + bobId_ + "\r\n");
}

TEST_F(BridgeTest, FolderHoldsWhatMailToolsLookFor) {
    const std::string exe = std::string(kBridgeDir) + "\\GpgBridge.exe";
    DWORD ignored = 0;
    std::string data(GetFileVersionInfoSizeA(exe.c_str(), &ignored), '\0');
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(data.size()), &data[0]));
    struct Case {
        const char *name, *value; // nullptr: any value
    } cases[] = {{"FileVersion", nullptr},
                 {"ProductName", nullptr},
                 {"ClipboardText", "Unicode"}}; // Wextor hands this program CF_UNICODETEXT
    for (const Case& c : cases) {
        char* value = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904b0\\") + c.name;
        ASSERT_TRUE(
            VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << c.name;
        if (c.value) {
            EXPECT_STREQ(value, c.value);
        }
    }
    for (const char* file : {"\\PGPKeys.Exe", "\\PGPTray.Exe", "\\PGPBridge.chm"})
        EXPECT_NE(GetFileAttributesA((std::string(kBridgeDir) + file).c_str()),
                  INVALID_FILE_ATTRIBUTES)
            << file;
}

TEST_F(BridgeTest, PGPKeysWithoutKleopatraShowsTheBridgesKeyList) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION keys = {};
    std::string command = std::string(kBridgeDir) + "\\PGPKeys.Exe";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &startup, &keys));
    CloseHandle(keys.hProcess);
    CloseHandle(keys.hThread);
    HWND list = WaitFor("GnuPG bridge - Keys");
    ASSERT_NE(list, nullptr);
    EXPECT_GE(ListView_GetItemCount(GetDlgItem(list, 1002)),
              2); // Alice and Bob, Carol once imported
    Press(list, IDOK);
    EXPECT_TRUE(PollUntil([] { return FindShown("GnuPG bridge - Keys") == nullptr; }));
}

TEST_F(BridgeTest, ASecondStartLeavesTheRunningBridgeAlone) {
    PROCESS_INFORMATION second = {};
    ASSERT_TRUE(StartBridge(second));
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 15000), WAIT_OBJECT_0);
    CloseHandle(second.hProcess);
    CloseHandle(second.hThread);
    EXPECT_EQ(FindWindowA("PGPtray_Hidden_Window", nullptr), bridge_);
}

} // namespace
