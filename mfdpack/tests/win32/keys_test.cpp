// FRONTMFD.EXE on a window without an edit control: a text pane of this test's own that knows
// Ctrl+A, Ctrl+C and Ctrl+V, as a browser's or a mail program's own text field does, and copies
// and pastes CF_UNICODETEXT as today's programs do. The driver runs as its own process, as
// Wextor 5 starts it; this thread answers the pane's messages meanwhile.
#include <windows.h>

#include "rundriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

const wchar_t kPaneClass[] = L"MfdPackTestPane";
const char kSecond[] = "MfdPackTest.SecondFormat";

struct Pane {
    std::string text; // UTF-8
    bool allSelected = false;
    bool takesKeys = true;
    std::string pasteOwnerClass; // the class of the clipboard's owner when the text was pasted
    bool pasteOwnerOurs = false; // whether that owner is a window of this process
    int ctrlKeys = 0;            // Ctrl+letter presses the pane got
};
Pane pane;

std::string ClipboardFormat(UINT format) {
    std::string s = "<none>";
    if (!OpenClipboard(nullptr))
        return "<busy>";
    if (HANDLE h = GetClipboardData(format)) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        s = p ? std::string(p, strnlen(p, GlobalSize(h))) : s;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

// The clipboard's text as UTF-8, read as the pane pastes it: CF_UNICODETEXT.
std::string ClipboardUnicode() {
    std::string s = "<none>";
    if (!OpenClipboard(nullptr))
        return "<busy>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h));
        s = p ? Utf8Of(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t))) : s;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

void PutOnClipboard(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), bytes, size);
    GlobalUnlock(h);
    SetClipboardData(format, h);
}

void PutOnClipboard(UINT format, const std::string& bytes) {
    PutOnClipboard(format, bytes.c_str(), bytes.size() + 1);
}

void PutUnicodeOnClipboard(const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

void OnCtrlKey(HWND w, WPARAM key) {
    ++pane.ctrlKeys;
    if (key == 'A')
        pane.allSelected = true;
    if (key == 'C' && pane.allSelected && OpenClipboard(w)) {
        EmptyClipboard();
        PutUnicodeOnClipboard(pane.text);
        CloseClipboard();
    }
    if (key == 'V' && pane.allSelected) {
        HWND owner = GetClipboardOwner();
        wchar_t cls[64] = L"<none>";
        if (owner)
            GetClassNameW(owner, cls, 64);
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        pane.pasteOwnerClass = Utf8Of(cls);
        pane.pasteOwnerOurs = pid == GetCurrentProcessId();
        pane.text = ClipboardUnicode();
        pane.allSelected = false;
    }
}

LRESULT CALLBACK PaneProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && pane.takesKeys && (GetKeyState(VK_CONTROL) & 0x8000)) {
        OnCtrlKey(w, wp);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

class KeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PaneProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kPaneClass;
        RegisterClassW(&wc);
        window_ =
            CreateWindowExW(0, kPaneClass, L"Webmail - Compose", WS_POPUP | WS_BORDER | WS_VISIBLE,
                            300, 200, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(window_);
        SetForegroundWindow(window_);
        SetFocus(window_);
        pane = Pane();
        pane.text = "Typed in the pane.\r\nSecond line.";
        second_ = RegisterClipboardFormatA(kSecond);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        PutOnClipboard(CF_TEXT, "the user's clipboard");
        PutOnClipboard(second_, "second format data");
        CloseClipboard();
        exchange_ = TempFolder() + "mfdpack-keys.tmp";
        RemoveFile(exchange_);
        SetClipboardRegistry({});
    }
    void TearDown() override {
        SetClipboardRegistry({});
        DestroyWindow(window_);
        UnregisterClassW(kPaneClass, GetModuleHandleW(nullptr));
        RemoveFile(exchange_);
    }
    void ExpectClipboardKept() {
        EXPECT_EQ(ClipboardFormat(CF_TEXT), "the user's clipboard");
        EXPECT_EQ(ClipboardFormat(second_), "second format data");
    }
    std::string Exchange() { return ReadBytes(exchange_); }
    void WriteExchange(const std::string& text) { ASSERT_TRUE(WriteBytes(exchange_, text)); }
    HWND window_ = nullptr;
    UINT second_ = 0;
    std::string exchange_;
};

TEST_F(KeysTest, ReadAndWriteBySelectAllCopyPasteKeepTheClipboard) {
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    const std::string read = Exchange();
    EXPECT_NE(read.find("\r\nShort: Webmail - Compose\r\n"), std::string::npos) << read;
    EXPECT_NE(read.find("\r\nWtype: 1\r\n"), std::string::npos) << read;
    EXPECT_NE(read.find("\r\n\r\nTyped in the pane.\r\nSecond line."), std::string::npos) << read;
    ExpectClipboardKept();

    WriteExchange("Wtype: 0\r\n\r\n-----BEGIN PGP MESSAGE-----\r\nx\r\n");
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, "-----BEGIN PGP MESSAGE-----\r\nx\r\n");
    ExpectClipboardKept();
}

TEST_F(KeysTest, AWindowThatTakesNoSelectAllGivesAFailureAndNoFile) {
    pane.takesKeys = false;
    EXPECT_NE(RunDriver("read File=" + exchange_), 0u);
    EXPECT_FALSE(FileThere(exchange_));
    ExpectClipboardKept();
    WriteExchange("Wtype: 0\r\n\r\nresult");
    EXPECT_NE(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, "Typed in the pane.\r\nSecond line.");
    ExpectClipboardKept();
}

TEST_F(KeysTest, NothingToPutBackLeavesTheWindowAlone) {
    WriteExchange("Wtype: 0\r\nInformation: \r\n");
    EXPECT_EQ(RunDriver("Write File=" + exchange_), 2u);
    EXPECT_EQ(pane.text, "Typed in the pane.\r\nSecond line.");
}

// Every character both ways by select-all, copy and paste; the user's clipboard, text in
// scripts the ANSI code page lacks included, comes back byte for byte.
TEST_F(KeysTest, EveryCharacterBothWaysAndTheUsersUnicodeClipboardKept) {
    const std::string users = "the user's own: Ελληνικά, 王芳, 😀";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    PutUnicodeOnClipboard(users);
    PutOnClipboard(second_, "second format data");
    CloseClipboard();
    pane.text = kWorldText;

    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    const std::string read = Exchange();
    const std::size_t gap = read.find("\r\n\r\n");
    ASSERT_NE(gap, std::string::npos) << read;
    EXPECT_EQ(read.substr(gap + 4), kWorldText);
    EXPECT_NE(read.find("\r\nDefault-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\n"),
              std::string::npos)
        << read;
    EXPECT_EQ(ClipboardUnicode(), users);
    EXPECT_EQ(ClipboardFormat(second_), "second format data");

    pane.text = "the text in between";
    WriteExchange("Wtype: 1\r\nDefault-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\n" +
                  std::string(kWorldText));
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, kWorldText);
    // The driver put the text there as the owner of the clipboard, with a window of its own:
    // Windows sets no data after EmptyClipboard for a clipboard opened without one.
    EXPECT_EQ(pane.pasteOwnerClass, "Static");
    EXPECT_FALSE(pane.pasteOwnerOurs);
    EXPECT_EQ(ClipboardUnicode(), users);
    EXPECT_EQ(ClipboardFormat(second_), "second format data");

    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is " << GetACP() << ", not 1252";
    // Each write goes back to the window of the read before it, once.
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    // Declared nothing: Windows-1252 bytes (FC is ü, DF is ß, 80 is €).
    WriteExchange("Wtype: 1\r\nDefault-Mail-Domain: \r\n\r\nGr\xFC\xDF"
                  "e, 5 \x80");
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, "Grüße, 5 €");
    EXPECT_EQ(ClipboardUnicode(), users);
}

// With clipboard history or sync on, the keys road would leave the message in Windows' history:
// the user is asked once, the answer kept, and a "no" copies nothing and presses no key.
TEST_F(KeysTest, ClipboardHistoryAsksOnceAndTheAnswerIsKept) {
    const struct {
        const char* what;
        ClipboardRegistry registry;
        int answer;
        DWORD readExit;
        int boxes;
        DWORD kept; // the remembered answer afterwards; 9: none
    } cases[] = {
        {"history on, go on", {&kOn}, IDYES, 0, 1, 1},
        {"sync on, keep it off", {nullptr, &kOn}, IDNO, 3, 1, 0},
        {"history on, kept off before", {&kOn, nullptr, nullptr, nullptr, &kOff}, IDYES, 3, 0, 0},
        {"history on, gone on before", {&kOn, nullptr, nullptr, nullptr, &kOn}, IDNO, 0, 0, 1},
        {"history on but forbidden by policy", {&kOn, nullptr, &kOff}, IDNO, 0, 0, 9},
        {"history and sync off", {&kOff, &kOff}, IDNO, 0, 0, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetClipboardRegistry(c.registry);
        pane.text = "Typed in the pane.";
        pane.ctrlKeys = 0;
        RemoveFile(exchange_);
        const DWORD clipboardBefore = GetClipboardSequenceNumber();
        DriverBoxes boxes;
        boxes.answer = c.answer;
        EXPECT_EQ(RunDriver("read File=" + exchange_, "FRONTMFD.EXE", &boxes), c.readExit);
        EXPECT_EQ(boxes.shown, c.boxes);
        if (c.boxes) {
            EXPECT_NE(boxes.text.find("clipboard history"), std::string::npos) << boxes.text;
        }
        DWORD kept = 9;
        GetDword(HKEY_CURRENT_USER, kPackKey, kChoiceValue, kept);
        EXPECT_EQ(kept, c.kept);
        ExpectClipboardKept();
        if (c.readExit != 0) {
            EXPECT_EQ(pane.ctrlKeys, 0);
            EXPECT_EQ(GetClipboardSequenceNumber(), clipboardBefore);
            EXPECT_FALSE(FileThere(exchange_));
            continue;
        }
        // Asked once: the write that follows goes on without a box.
        WriteExchange("Wtype: 0\r\n\r\nArmour");
        EXPECT_EQ(RunDriver("Write File=" + exchange_, "FRONTMFD.EXE", &boxes), 0u);
        EXPECT_EQ(boxes.shown, c.boxes);
        EXPECT_EQ(pane.text, "Armour");
    }
}

} // namespace
