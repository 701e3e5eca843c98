// The drivers on edit controls of the test's own windows: which field holds the message, the
// text replaced so that Undo brings it back, and NPADMFD finding Notepad behind another window.
#include "rundriver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
    return s;
}

class FieldsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        exchange_ = TempFolder() + "mfdpack-fields.tmp";
        DeleteFileA(exchange_.c_str());
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        for (const char* name : {"MfdPackTestForm", "Notepad"}) {
            wc.lpszClassName = name;
            RegisterClassA(&wc);
        }
    }
    void TearDown() override {
        for (HWND w : windows_)
            DestroyWindow(w);
        for (const char* name : {"MfdPackTestForm", "Notepad"})
            UnregisterClassA(name, GetModuleHandleA(nullptr));
        DeleteFileA(exchange_.c_str());
    }
    HWND Top(const char* cls, const char* title, int x) {
        HWND w = CreateWindowExA(0, cls, title, WS_POPUP | WS_BORDER | WS_VISIBLE, x, 100, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(w);
        return w;
    }
    HWND Field(HWND parent, DWORD style, int y, const char* text) {
        return CreateWindowExA(0, "Edit", text, WS_CHILD | WS_VISIBLE | style, 0, y, 280, 60,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    std::string Exchange() {
        std::ifstream in(exchange_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteExchange(const std::string& text) {
        std::ofstream(exchange_, std::ios::binary) << text;
    }
    std::vector<HWND> windows_;
    std::string exchange_;
};

TEST_F(FieldsTest, TheMultiLineFieldHoldsTheMessageEvenWhenTheToLineHasTheFocus) {
    HWND form = Top("MfdPackTestForm", "Compose - Mail", 300);
    HWND to = Field(form, 0, 0, "bob@example.com");
    HWND body = Field(form, ES_MULTILINE | ES_WANTRETURN, 70, "Body text.\r\nLine two.");
    SetForegroundWindow(form);
    SetFocus(to);
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    const std::string read = Exchange();
    EXPECT_NE(read.find("\r\n\r\nBody text.\r\nLine two."), std::string::npos) << read;
    EXPECT_NE(read.find("\r\nShort: Compose - Mail\r\n"), std::string::npos) << read;

    WriteExchange("Wtype: 0\r\n\r\n-----BEGIN PGP MESSAGE-----\r\nabc\r\n");
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(TextOf(body), "-----BEGIN PGP MESSAGE-----\r\nabc\r\n");
    EXPECT_EQ(TextOf(to), "bob@example.com");
    // The program's Undo brings the user's text back.
    ASSERT_TRUE(SendMessageA(body, EM_CANUNDO, 0, 0));
    SendMessageA(body, EM_UNDO, 0, 0);
    EXPECT_EQ(TextOf(body), "Body text.\r\nLine two.");
}

TEST_F(FieldsTest, AReceivedBlockIsWtype8) {
    HWND form = Top("MfdPackTestForm", "Message - Mail", 300);
    Field(form, ES_MULTILINE, 0, "> quoted\r\n-----BEGIN PGP MESSAGE-----\r\nx");
    SetForegroundWindow(form);
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    EXPECT_NE(Exchange().find("\r\nWtype: 8\r\n"), std::string::npos);
}

TEST_F(FieldsTest, NotepadIsFoundBehindAnotherWindowAndItsTextReplaced) {
    HWND notepad = Top("Notepad", "Letter - Notepad", 100);
    HWND edit = Field(notepad, ES_MULTILINE, 0, "Dear Bob");
    HWND other = Top("MfdPackTestForm", "Something else", 400);
    SetForegroundWindow(other);
    ASSERT_EQ(RunDriver("Data File=" + exchange_, "NPADMFD.EXE"), 0u);
    EXPECT_NE(Exchange().find("\r\nShort: Notepad\r\n"), std::string::npos);
    ASSERT_EQ(RunDriver("read File=" + exchange_, "NPADMFD.EXE"), 0u);
    EXPECT_NE(Exchange().find("\r\n\r\nDear Bob"), std::string::npos);
    WriteExchange("Wtype: 0\r\n\r\nArmour");
    ASSERT_EQ(RunDriver("Write File=" + exchange_, "NPADMFD.EXE"), 0u);
    EXPECT_EQ(TextOf(edit), "Armour");
    EXPECT_EQ(TextOf(other), "Something else");
}

} // namespace
