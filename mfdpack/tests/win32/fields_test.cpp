// The drivers on edit controls of the test's own windows: which field holds the message, the
// text replaced so that Undo brings it back, NPADMFD finding Notepad behind another window, and
// every character of every script carried both ways, in edit and rich-edit controls.
#include "rundriver.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

std::string TextOf(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
    return s;
}

std::wstring WideTextOf(HWND w) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(w, &s[0], static_cast<int>(s.size()))));
    return s;
}

// Unicode windows, as today's programs make them: their titles keep every character.
template <typename Fixture> class TestWindows : public Fixture {
  protected:
    void SetUp() override {
        exchange_ = TempFolder() + "mfdpack-fields.tmp";
        RemoveFile(exchange_);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        for (const wchar_t* name : {L"MfdPackTestForm", L"Notepad"}) {
            wc.lpszClassName = name;
            RegisterClassW(&wc);
        }
    }
    void TearDown() override {
        for (HWND w : windows_)
            DestroyWindow(w);
        for (const wchar_t* name : {L"MfdPackTestForm", L"Notepad"})
            UnregisterClassW(name, GetModuleHandleW(nullptr));
        RemoveFile(exchange_);
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
    std::string Exchange() { return ReadBytes(exchange_); }
    void WriteExchange(const std::string& text) { ASSERT_TRUE(WriteBytes(exchange_, text)); }
    std::vector<HWND> windows_;
    std::string exchange_;
};

using FieldsTest = TestWindows<::testing::Test>;

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

namespace {

// The body of an exchange file: everything after its first empty line.
std::string BodyOf(const std::string& file) {
    const std::size_t gap = file.find("\r\n\r\n");
    return gap == std::string::npos ? "<no body>" : file.substr(gap + 4);
}

const char kDeclaration[] = "\r\nDefault-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n";

// A rich-edit control keeps paragraphs: it may give back CR where it was given CR LF.
std::wstring CrLf(std::wstring s, bool richEdit) {
    if (richEdit)
        for (std::size_t at = 0; (at = s.find(L'\r', at)) != std::wstring::npos; at += 2)
            if (at + 1 >= s.size() || s[at + 1] != L'\n')
                s.insert(at + 1, 1, L'\n');
    return s;
}

// driver, top-level class, field class
using Road = std::tuple<const char*, const wchar_t*, const wchar_t*>;

class EveryCharacter : public TestWindows<::testing::TestWithParam<Road>> {
  protected:
    void SetUp() override {
        TestWindows::SetUp();
        LoadLibraryW(L"riched20.dll");
        std::tie(driver_, topClass_, fieldClass_) = GetParam();
        richEdit_ = std::wstring(fieldClass_) != L"Edit";
        top_ = CreateWindowExW(0, topClass_, kTitle, WS_POPUP | WS_BORDER | WS_VISIBLE, 300, 100,
                               400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        windows_.push_back(top_);
        field_ = CreateWindowExW(0, fieldClass_, L"",
                                 WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0, 380,
                                 150, top_, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(field_) << "no " << Utf8Of(fieldClass_) << " control";
        ASSERT_TRUE(SetWindowTextW(field_, kWorldTextW));
        ASSERT_EQ(CrLf(WideTextOf(field_), richEdit_), kWorldTextW);
        SetForegroundWindow(top_);
        SetFocus(field_);
    }
    bool Notepad() const { return std::string(driver_) == "NPADMFD.EXE"; }
    // What the field holds now, line ends as they were given.
    std::wstring Field() const { return CrLf(WideTextOf(field_), richEdit_); }

    static constexpr const wchar_t* kTitle = L"Письмо Бобу — Grüße 😀";
    const char* driver_ = nullptr;
    const wchar_t* topClass_ = nullptr;
    const wchar_t* fieldClass_ = nullptr;
    bool richEdit_ = false;
    HWND top_ = nullptr;
    HWND field_ = nullptr;
};

TEST_P(EveryCharacter, TheProbeAndTheReadDeclareUtf8AndCarryTheTextByteForByte) {
    const std::string title = Utf8Of(kTitle);
    const std::string shortText = Notepad() ? "Notepad" : title;

    ASSERT_EQ(RunDriver("Data File=" + exchange_, driver_), 0u);
    const std::string probe = Exchange();
    EXPECT_NE(probe.find("\r\nShort: " + shortText + "\r\n"), std::string::npos) << probe;
    EXPECT_EQ(probe.size() - probe.find(kDeclaration), sizeof kDeclaration - 1) << probe;

    ASSERT_EQ(RunDriver("read File=" + exchange_, driver_), 0u);
    const std::string read = Exchange();
    EXPECT_EQ(BodyOf(read), kWorldText);
    EXPECT_NE(read.find(std::string(kDeclaration) + "\r\n"), std::string::npos) << read;
    EXPECT_NE(read.find("\r\nTitle: " + title + "\r\n"), std::string::npos) << read;
    EXPECT_NE(read.find("\r\nShort: " + shortText + "\r\n"), std::string::npos) << read;
    EXPECT_NE(read.find("\r\nWtype: 1\r\n"), std::string::npos) << read;
}

TEST_P(EveryCharacter, AWriteDeclaredUtf8PutsEveryCharacterBack) {
    ASSERT_EQ(RunDriver("read File=" + exchange_, driver_), 0u);
    SetWindowTextW(field_, L"the text in between");
    WriteExchange("MFD-Protocol-Version: 1\r\nWtype: 1\r\nDefault-Mail-Domain: \r\n"
                  "MFD-Charset: UTF-8\r\n\r\n" +
                  std::string(kWorldText));
    ASSERT_EQ(RunDriver("Write File=" + exchange_, driver_), 0u);
    EXPECT_EQ(Field(), kWorldTextW);
}

TEST_P(EveryCharacter, AWriteThatDeclaresNothingIsReadInTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is " << GetACP() << ", not 1252";
    ASSERT_EQ(RunDriver("read File=" + exchange_, driver_), 0u);
    // Windows-1252: FC is ü, DF is ß, 80 is €, E9 is é; the same bytes are no UTF-8.
    WriteExchange("MFD-Protocol-Version: 1\r\nWtype: 1\r\nDefault-Mail-Domain: \r\n\r\n"
                  "Gr\xFC\xDF"
                  "e, 5 \x80\r\ncaf\xE9");
    ASSERT_EQ(RunDriver("Write File=" + exchange_, driver_), 0u);
    EXPECT_EQ(Field(), L"Grüße, 5 €\r\ncafé");
}

INSTANTIATE_TEST_SUITE_P(Drivers, EveryCharacter,
                         ::testing::Values(Road{"FRONTMFD.EXE", L"MfdPackTestForm", L"Edit"},
                                           Road{"FRONTMFD.EXE", L"MfdPackTestForm", L"RichEdit20W"},
                                           Road{"NPADMFD.EXE", L"Notepad", L"Edit"},
                                           Road{"NPADMFD.EXE", L"Notepad", L"RichEdit20W"}),
                         [](const ::testing::TestParamInfo<Road>& info) {
                             return std::string(std::get<0>(info.param)).substr(0, 7) +
                                    (std::wstring(std::get<2>(info.param)) == L"Edit"
                                         ? "_Edit"
                                         : "_RichEdit");
                         });

// The exchange file's path on the command line names a folder outside the ANSI code page, as a
// user profile "Βασίλης 王芳" would.
TEST_F(FieldsTest, AnExchangeFileInAFolderNamedOutsideTheAnsiCodePage) {
    const std::string folder = TempFolder() + "Βασίλης 王芳 😀";
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    const std::string file = folder + "\\tmpmfd.tmp";
    RemoveFile(file);
    HWND form = Top("MfdPackTestForm", "Compose - Mail", 300);
    HWND body = CreateWindowExW(0, L"Edit", kWorldTextW, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                                280, 150, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(WideTextOf(body), kWorldTextW);
    SetForegroundWindow(form);

    ASSERT_EQ(RunDriver("read File=" + file), 0u);
    EXPECT_EQ(BodyOf(ReadBytes(file)), kWorldText);
    ASSERT_TRUE(WriteBytes(file, "Wtype: 1\r\nMFD-Charset: UTF-8\r\n\r\nПолучено — ok"));
    ASSERT_EQ(RunDriver("Write File=" + file), 0u);
    EXPECT_EQ(WideTextOf(body), L"Получено — ok");

    // A read that finds nothing removes the file left from before.
    ASSERT_TRUE(FileThere(file));
    ASSERT_EQ(RunDriver("read File=" + file, "NPADMFD.EXE"), 3u) << "no Notepad is open";
    EXPECT_FALSE(FileThere(file));
    RemoveFile(file);
    RemoveDirectoryW(Widen(folder).c_str());
}

} // namespace
