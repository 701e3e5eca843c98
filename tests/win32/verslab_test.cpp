#include "common/handles_win.h"
#include "support/platform.h"
#include "support/verslab.h"
#include "support/verslab_win.h"
#include "wintest.h"

#include "common/unicode_win.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {
std::string OwnExe() {
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

#ifdef WEXTOR_TEST_PE_DIR
std::string TestPe(const char* name) {
    return std::string(WEXTOR_TEST_PE_DIR) + "/" + name;
}
#define REQUIRE_TEST_PE()
#else
std::string TestPe(const char*) {
    return std::string();
}
#define REQUIRE_TEST_PE() GTEST_SKIP() << "no i686-w64-mingw32 tools: test PE files not built"
#endif

class Label : public ::testing::Test {
  protected:
    void SetUp() override {
        parent.reset(CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(parent);
        label = TVersionLabel::Create(parent.get(), 7, 10, 10, 50, 20);
        ASSERT_NE(label, nullptr);
    }
    std::string WindowText() const {
        char text[512] = "";
        GetWindowTextA(label->Handle(), text, sizeof text);
        return text;
    }
    SIZE WindowSize() const {
        RECT r;
        GetWindowRect(label->Handle(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    UniqueWindow parent;
    TVersionLabel* label = nullptr;
};
} // namespace

TEST_F(Label, FreshLabelShowsOurFileVersion) {
    EXPECT_EQ(label->Caption(), "File Version: 5.0.0.1");
    EXPECT_EQ(WindowText(), "File Version: 5.0.0.1");
    EXPECT_FALSE(label->WordWrap());
    EXPECT_TRUE(label->AutoSize());
    EXPECT_TRUE(label->ShowInfoPrefix());
    EXPECT_EQ(label->LangCharset(), "080904E4");
    EXPECT_EQ(label->VersionResource(), vrFileVersion);
    EXPECT_EQ(TVersionLabel::FromWindow(GetDlgItem(parent.get(), 7)), label);
    EXPECT_EQ(TVersionLabel::FromWindow(parent.get()), nullptr);

    label->SetInfoPrefix("");
    EXPECT_EQ(label->Caption(), " 5.0.0.1"); // the bare value keeps one blank
    label->SetShowInfoPrefix(false);
    EXPECT_EQ(label->Caption(), "5.0.0.1");
}

TEST_F(Label, KeyAndPrefixChanges) {
    label->SetVersionResourceKey("ProductName");
    EXPECT_EQ(label->InfoPrefix(), "ProductName");
    EXPECT_EQ(label->Caption(), "ProductName Wextor 5");
    label->SetInfoPrefix("Product:");
    EXPECT_EQ(label->Caption(), "Product: Wextor 5");
    label->SetVersionResource(vrComments);
    EXPECT_EQ(label->VersionResourceKey(), "Comments");
    EXPECT_EQ(label->InfoPrefix(), "Comments:");
    EXPECT_EQ(label->Caption(), "Comments: Error retrieving version info"); // we have none
    label->SetVersionResource(vrOriginalFilename);
    EXPECT_EQ(label->Caption(), "Original Filename: Wextor5.exe");
    label->SetLangCharset("040904b0"); // no refresh until a prefix changes
    EXPECT_EQ(label->Caption(), "Original Filename: Wextor5.exe");
    EXPECT_EQ(label->GetInfo(), "Original Filename: Error retrieving version info");
}

TEST_F(Label, OtherFilesAndTheFailureTexts) {
    REQUIRE_TEST_PE();
    const std::string before = label->Caption();
    struct Case {
        std::string file, block;
        TVersionResources resource;
        const char* expected;
    } cases[] = {
        {TestPe("british.exe"), "080904E4", vrFileVersion, "File Version: 5.0.0.12"},
        {TestPe("british.exe"), "080904E4", vrComments, "Comments: No Version Info"},
        {TestPe("british.exe"), "080904E4", vrProductName,
         "Product Name: Caf\xC3\xA9 Mail"}, // UTF-8 inside
        {TestPe("american.exe"), "080904E4", vrFileVersion,
         "File Version: Error retrieving version info"},
        {TestPe("american.exe"), "040904b0", vrFileVersion, "File Version: 5.1.0"},
        {TestPe("plain.exe"), "080904E4", vrFileVersion, "File Version: < No Data Available >"},
        {TestPe("missing.exe"), "080904E4", vrFileVersion, "File Version: < No Data Available >"},
        {"", "080904E4", vrFileVersion, "File Version: 5.0.0.1"},
    };
    for (const Case& c : cases) {
        label->SetVersionResource(c.resource);
        EXPECT_EQ(label->GetInfoGeneral(c.file, c.block), c.expected) << c.file;
    }
    label->SetVersionResource(vrFileVersion);
    EXPECT_EQ(label->Caption(), before); // GetInfoGeneral leaves the caption alone
}

// The portable reader (used where the system's calls are missing) must agree with them; it
// gives code page 1252, as VerQueryValueA would, the program UTF-8.
TEST(VersionInfo, PortableReaderAgreesWithTheSystem) {
    std::vector<std::string> files = {OwnExe(), std::string(WEXTOR_BIN_DIR) + "/Wextor5.exe"};
#ifdef WEXTOR_TEST_PE_DIR
    for (const char* name : {"british.exe", "american.exe", "plain.exe"})
        files.push_back(TestPe(name));
#endif
    const char* blocks[] = {"080904E4", "080904e4", "040904b0", "040904B0", "", "0809"};
    const char* keys[] = {"FileVersion", "ProductName",      "Comments", "InternalName",
                          "CompanyName", "OriginalFilename", "",         "Missing"};
    int checked = 0;
    for (const std::string& file : files) {
        ASSERT_TRUE(FileExists(file)) << file;
        const std::string bytes = platform::ReadWholeFile(file);
        for (const char* block : blocks)
            for (const char* key : keys) {
                EXPECT_EQ(Utf8FromCodePage(VersionValueOfPe(bytes, block, key), 1252),
                          ReadVersionValue(file, block, key))
                    << file << " " << block << " " << key;
                ++checked;
            }
    }
    EXPECT_GE(checked, 96);
}

TEST(VersionInfo, Wextor5CarriesItsVersionResource) {
    const std::string exe = std::string(WEXTOR_BIN_DIR) + "/Wextor5.exe";
    struct Case {
        const char *key, *value;
    } cases[] = {{"FileVersion", "5.0.0.1"},
                 {"ProductName", "Wextor 5"},
                 {"OriginalFilename", "Wextor5.exe"},
                 {"ProductVersion", "5.0.0.1"},
                 {"CompanyName", "Wextor"}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadVersionValue(exe, "080904E4", c.key), c.value) << c.key;
    for (const char* key : {"FileDescription", "LegalCopyright"})
        EXPECT_NE(ReadVersionValue(exe, "080904E4", key), kVersionQueryFailed) << key;

    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &unused));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0809);
    EXPECT_EQ(translation[1], 1252);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00050000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
}

TEST_F(Label, AutoSizeWordWrapAndAlignment) {
    const HDC dc = GetDC(label->Handle());
    const HGDIOBJ old = label->Font() ? SelectObject(dc, label->Font()) : nullptr;
    SIZE text;
    const std::string caption = label->Caption();
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(label->Handle(), dc);
    EXPECT_EQ(WindowSize().cx, text.cx); // fitted, not the 50 pixels it was made with
    EXPECT_EQ(WindowSize().cy, text.cy);

    label->SetInfoPrefix("A much longer prefix than before:");
    const SIZE wide = WindowSize();
    EXPECT_GT(wide.cx, text.cx);

    // Right-justified, the right edge stays where it is when the text gets shorter.
    RECT r;
    GetWindowRect(label->Handle(), &r);
    label->SetAlignment(taRightJustify);
    label->SetInfoPrefix("V:");
    RECT after;
    GetWindowRect(label->Handle(), &after);
    EXPECT_EQ(after.right, r.right);
    EXPECT_LT(after.right - after.left, wide.cx);

    // Word wrap keeps the width and grows downwards.
    label->SetAlignment(taLeftJustify);
    label->SetAutoSize(false);
    SetWindowPos(label->Handle(), nullptr, 0, 0, 40, 10, SWP_NOMOVE | SWP_NOZORDER);
    label->SetWordWrap(true);
    EXPECT_EQ(WindowSize().cx, 40);
    EXPECT_EQ(WindowSize().cy, 10); // AutoSize off: nothing moves
    label->SetAutoSize(true);
    label->SetInfoPrefix("Some words to wrap:");
    EXPECT_EQ(WindowSize().cx, 40);
    EXPECT_GT(WindowSize().cy, text.cy);

    label->SetAlign(alTop);
    RECT client;
    GetClientRect(parent.get(), &client);
    EXPECT_EQ(WindowSize().cx, client.right);
}

TEST(LabelClass, WindowsOfTheClassOwnTheirLabel) {
    TVersionLabel::Register();
    UniqueWindow parent(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    // As a dialog template makes it: by class name.
    const HWND child =
        CreateWindowExA(0, "TVersionLabel", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.get(),
                        reinterpret_cast<HMENU>(3), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    TVersionLabel* label = TVersionLabel::FromWindow(child);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "File Version: 5.0.0.1");
    ShowWindow(parent.get(), SW_SHOW);
    UpdateWindow(parent.get());
    PumpMessages();
    EXPECT_EQ(SendMessageA(child, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    DestroyWindow(child); // takes the label with it
    EXPECT_EQ(TVersionLabel::FromWindow(child), nullptr);
}
