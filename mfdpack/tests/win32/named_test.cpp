// FRONTMFD on the window Wextor 5 names in the driver's environment: read and written although
// another window is above it, and its own choice again when the named one cannot be used.
#include "rundriver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

std::string TextOf(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
    return s;
}

std::string HandleValue(HWND w) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(w)));
    return text;
}

class NamedWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        exchange_ = TempFolder() + "mfdpack-named.tmp";
        RemoveFile(exchange_);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MfdPackNamedForm";
        RegisterClassW(&wc);
    }
    void TearDown() override {
        SetEnvironmentVariableA("WEXTOR_TARGET_WINDOW", nullptr);
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        UnregisterClassW(L"MfdPackNamedForm", GetModuleHandleW(nullptr));
        RemoveFile(exchange_);
    }
    // A form with a message field; field_ is the last one made.
    HWND Form(const char* title, const char* text) {
        HWND w = CreateWindowExA(0, "MfdPackNamedForm", title, WS_POPUP | WS_BORDER | WS_VISIBLE,
                                 100 + 60 * static_cast<int>(windows_.size()), 100, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        field_ = CreateWindowExA(0, "Edit", text, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280,
                                 150, w, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(w);
        return w;
    }
    std::string Exchange() { return ReadBytes(exchange_); }
    std::vector<HWND> windows_;
    HWND field_ = nullptr;
    std::string exchange_;
};

} // namespace

TEST_F(NamedWindow, ReadsAndWritesTheNamedWindowBelowAnother) {
    HWND mail = Form("Compose - Mail", "Dear Bob,\r\nthe plan.");
    HWND mailField = field_;
    HWND notes = Form("Notes - Editor", "Shopping list.");
    HWND notesField = field_;
    SetForegroundWindow(notes);
    // The notes are above: by Z order alone they would be read.
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    ASSERT_NE(Exchange().find("\r\nShort: Notes - Editor\r\n"), std::string::npos) << Exchange();

    SetEnvironmentVariableA("WEXTOR_TARGET_WINDOW", HandleValue(mail).c_str());
    ASSERT_EQ(RunDriver("Data File=" + exchange_), 0u);
    EXPECT_NE(Exchange().find("\r\nShort: Compose - Mail\r\n"), std::string::npos) << Exchange();
    ASSERT_EQ(RunDriver("read File=" + exchange_), 0u);
    EXPECT_NE(Exchange().find("\r\nShort: Compose - Mail\r\n"), std::string::npos) << Exchange();
    EXPECT_NE(Exchange().find("\r\n\r\nDear Bob,\r\nthe plan."), std::string::npos) << Exchange();

    // The write needs no name: it goes to the window read.
    SetEnvironmentVariableA("WEXTOR_TARGET_WINDOW", nullptr);
    ASSERT_TRUE(WriteBytes(exchange_, "Wtype: 0\r\n\r\n-----BEGIN PGP MESSAGE-----\r\nabc\r\n"));
    ASSERT_EQ(RunDriver("Write File=" + exchange_), 0u);
    EXPECT_EQ(TextOf(mailField), "-----BEGIN PGP MESSAGE-----\r\nabc\r\n");
    EXPECT_EQ(TextOf(notesField), "Shopping list.");
}

TEST_F(NamedWindow, ANameThatCannotBeUsedLeavesTheChoiceToTheDriver) {
    HWND hidden = Form("Hidden - Mail", "Hidden text.");
    ShowWindow(hidden, SW_HIDE);
    HWND gone = Form("Gone - Mail", "Gone text.");
    DestroyWindow(gone);
    HWND notes = Form("Notes - Editor", "Shopping list.");
    SetForegroundWindow(notes);
    const struct {
        const char* what;
        std::string value;
    } cases[] = {
        {"a window that is gone", HandleValue(gone)},
        {"a hidden window", HandleValue(hidden)},
        {"no handle", "mail"},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableA("WEXTOR_TARGET_WINDOW", c.value.c_str());
        ASSERT_EQ(RunDriver("read File=" + exchange_), 0u) << c.what;
        EXPECT_NE(Exchange().find("\r\n\r\nShopping list."), std::string::npos) << c.what << "\n"
                                                                                << Exchange();
    }
}
