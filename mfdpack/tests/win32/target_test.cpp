// The result goes back only into the window that was read: the read and the write are two runs
// of the driver, and between them the user may close that window and bring up another one.
#include "rundriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TextOf(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
    return s;
}

struct Road {
    const char* driver;
    const wchar_t* topClass;
};
void PrintTo(const Road& road, std::ostream* out) {
    *out << road.driver;
}

class TargetTest : public ::testing::TestWithParam<Road> {
  protected:
    void SetUp() override {
        exchange_ = TempFolder() + "mfdpack-target.tmp";
        RemoveFile(exchange_);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = GetParam().topClass;
        RegisterClassW(&wc);
        SetClipboardRegistry({});
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        UnregisterClassW(GetParam().topClass, GetModuleHandleW(nullptr));
        RemoveFile(exchange_);
        SetClipboardRegistry({});
    }
    // A top-level window with a multi-line edit field, in front; the field.
    HWND Open(const char* title, const char* text) {
        HWND w = CreateWindowExW(0, GetParam().topClass, Widen(title).c_str(),
                                 WS_POPUP | WS_BORDER | WS_VISIBLE, 200 + 50 * windows_.size(), 100,
                                 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        windows_.push_back(w);
        HWND field =
            CreateWindowExW(0, L"Edit", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                            0, 0, 280, 150, w, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(w);
        SetFocus(field);
        return field;
    }
    DWORD Run(const std::string& request) { return RunDriver(request, GetParam().driver); }
    DWORD Write(const std::string& body) {
        EXPECT_TRUE(WriteBytes(exchange_, "Wtype: 0\r\nMFD-Charset: UTF-8\r\n\r\n" + body));
        return Run("Write File=" + exchange_);
    }
    std::string StateFile() const {
        wchar_t base[MAX_PATH] = L"";
        GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
        const std::string driver = GetParam().driver;
        const std::string name = driver.substr(0, driver.find('.'));
        return Utf8Of(base) + "\\Wextor 5\\Driver pack\\" + name + ".target";
    }
    std::vector<HWND> windows_;
    std::string exchange_;
};

TEST_P(TargetTest, TheWriteGoesBackToTheWindowReadEvenWhenAnotherIsInFront) {
    HWND a = Open("Letter A - Notepad", "Text of A");
    ASSERT_EQ(Run("read File=" + exchange_), 0u);
    // What the driver keeps between the runs names the window, never the message.
    const std::string state = ReadBytes(StateFile());
    EXPECT_EQ(state.rfind("Window=", 0), 0u) << state;
    EXPECT_EQ(state.find("Text of A"), std::string::npos) << state;
    HWND b = Open("Letter B - Notepad", "Text of B");
    ASSERT_EQ(Write("Armour"), 0u);
    EXPECT_EQ(TextOf(a), "Armour");
    EXPECT_EQ(TextOf(b), "Text of B");
    EXPECT_FALSE(FileThere(StateFile())) << "one read, one write";
}

TEST_P(TargetTest, AWindowClosedOrHiddenMeanwhileGetsNothingAndNeitherDoesAnyOther) {
    const struct {
        const char* what;
        void (*change)(HWND top);
    } cases[] = {
        {"closed", [](HWND top) { DestroyWindow(top); }},
        {"hidden", [](HWND top) { ShowWindow(top, SW_HIDE); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND a = Open("Letter A - Notepad", "Text of A");
        ASSERT_EQ(Run("read File=" + exchange_), 0u);
        // The other window first, so that it cannot be given the read one's handle.
        HWND b = Open("Letter B - Notepad", "Text of B");
        c.change(GetParent(a));
        EXPECT_EQ(Write("Armour"), 3u);
        EXPECT_EQ(TextOf(b), "Text of B");
        if (IsWindow(a)) {
            EXPECT_EQ(TextOf(a), "Text of A");
        }
        // Nor does a second write find its way anywhere.
        EXPECT_EQ(Write("Armour"), 3u);
        EXPECT_EQ(TextOf(b), "Text of B");
        DestroyWindow(GetParent(b));
    }
}

TEST_P(TargetTest, ARecordOfAnotherProcessStartOrNoReadAtAllPassesNothing) {
    HWND a = Open("Letter A - Notepad", "Text of A");
    EXPECT_EQ(Write("Armour"), 3u) << "no read before";
    ASSERT_EQ(Run("read File=" + exchange_), 0u);
    // The same handle and process id, a process started at another moment: a reused id.
    std::string state = ReadBytes(StateFile());
    const std::size_t started = state.find("Started=");
    ASSERT_NE(started, std::string::npos) << state;
    state.insert(started + 8, "1");
    ASSERT_TRUE(WriteBytes(StateFile(), state));
    EXPECT_EQ(Write("Armour"), 3u);
    EXPECT_EQ(TextOf(a), "Text of A");
}

// Edit fields are read and written by messages: with clipboard history on, no question is
// asked and the clipboard does not change at all.
TEST_P(TargetTest, EditFieldsNeverTouchTheClipboard) {
    SetClipboardRegistry({&kOn, &kOn});
    HWND a = Open("Letter A - Notepad", "Text of A");
    const DWORD before = GetClipboardSequenceNumber();
    DriverBoxes boxes;
    boxes.answer = IDNO;
    ASSERT_EQ(RunDriver("read File=" + exchange_, GetParam().driver, &boxes), 0u);
    ASSERT_TRUE(WriteBytes(exchange_, "Wtype: 0\r\n\r\nArmour"));
    ASSERT_EQ(RunDriver("Write File=" + exchange_, GetParam().driver, &boxes), 0u);
    EXPECT_EQ(TextOf(a), "Armour");
    EXPECT_EQ(boxes.shown, 0);
    EXPECT_EQ(GetClipboardSequenceNumber(), before);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TargetTest,
                         ::testing::Values(Road{"FRONTMFD.EXE", L"MfdPackTestForm"},
                                           Road{"NPADMFD.EXE", L"Notepad"}),
                         [](const ::testing::TestParamInfo<Road>& info) {
                             return std::string(info.param.driver).substr(0, 7);
                         });

} // namespace
