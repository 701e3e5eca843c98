// FRONTMFD.EXE on a window without an edit control: a text pane of this test's own that knows
// Ctrl+A, Ctrl+C and Ctrl+V, as a browser's or a mail program's own text field does. The driver
// runs as its own process, as Wextor 5 starts it; this thread answers the pane's messages
// meanwhile.
#include <windows.h>

#include "rundriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kPaneClass[] = "MfdPackTestPane";
const char kSecond[] = "MfdPackTest.SecondFormat";

struct Pane {
    std::string text;
    bool allSelected = false;
    bool takesKeys = true;
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

void PutOnClipboard(UINT format, const std::string& bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    std::memcpy(GlobalLock(h), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(h);
    SetClipboardData(format, h);
}

void OnCtrlKey(WPARAM key) {
    if (key == 'A')
        pane.allSelected = true;
    if (key == 'C' && pane.allSelected && OpenClipboard(nullptr)) {
        EmptyClipboard();
        PutOnClipboard(CF_TEXT, pane.text);
        CloseClipboard();
    }
    if (key == 'V' && pane.allSelected) {
        pane.text = ClipboardFormat(CF_TEXT);
        pane.allSelected = false;
    }
}

LRESULT CALLBACK PaneProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && pane.takesKeys && (GetKeyState(VK_CONTROL) & 0x8000)) {
        OnCtrlKey(wp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

class KeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PaneProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kPaneClass;
        RegisterClassA(&wc);
        window_ =
            CreateWindowExA(0, kPaneClass, "Webmail - Compose", WS_POPUP | WS_BORDER | WS_VISIBLE,
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
        DeleteFileA(exchange_.c_str());
    }
    void TearDown() override {
        DestroyWindow(window_);
        UnregisterClassA(kPaneClass, GetModuleHandleA(nullptr));
        DeleteFileA(exchange_.c_str());
    }
    void ExpectClipboardKept() {
        EXPECT_EQ(ClipboardFormat(CF_TEXT), "the user's clipboard");
        EXPECT_EQ(ClipboardFormat(second_), "second format data");
    }
    std::string Exchange() {
        std::ifstream in(exchange_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
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

    std::ofstream(exchange_, std::ios::binary)
        << "Wtype: 0\r\n\r\n-----BEGIN PGP MESSAGE-----\r\nx\r\n";
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, "-----BEGIN PGP MESSAGE-----\r\nx\r\n");
    ExpectClipboardKept();
}

TEST_F(KeysTest, AWindowThatTakesNoSelectAllGivesAFailureAndNoFile) {
    pane.takesKeys = false;
    EXPECT_NE(RunDriver("read File=" + exchange_), 0u);
    EXPECT_EQ(GetFileAttributesA(exchange_.c_str()), INVALID_FILE_ATTRIBUTES);
    ExpectClipboardKept();
    std::ofstream(exchange_, std::ios::binary) << "Wtype: 0\r\n\r\nresult";
    EXPECT_NE(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(pane.text, "Typed in the pane.\r\nSecond line.");
    ExpectClipboardKept();
}

TEST_F(KeysTest, NothingToPutBackLeavesTheWindowAlone) {
    std::ofstream(exchange_, std::ios::binary) << "Wtype: 0\r\nInformation: \r\n";
    EXPECT_EQ(RunDriver("Write File=" + exchange_), 2u);
    EXPECT_EQ(pane.text, "Typed in the pane.\r\nSecond line.");
}

} // namespace
