// The bridge's Help buttons, its menu's Help and the Help of its problem boxes open
// PGPBridge.chm at their topics, every one of which the file holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <thread>

#include "bridge_win.h"
#include "bridgehelp_win.h"
#include "common/clipboard_win.h"
#include "dialogs_win.h"
#include "resource.h"

namespace {

bool PollUntil(const std::function<bool()>& cond, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

HWND FindShown(const wchar_t* title) {
    HWND window = FindWindowW(L"#32770", title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

class BridgeHelpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetBridgeHelpHook([this](HWND owner, const std::string& target) {
            std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back({owner, target});
        });
    }
    void TearDown() override { SetBridgeHelpHook(nullptr); }

    struct Call {
        HWND owner;
        std::string target;
    };
    std::vector<Call> Calls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    // Clicks the window's Help button and waits for the help it opens; then closes it. A message
    // box gets the WM_HELP that its Help button (and F1) give on Windows: Wine's button does
    // nothing.
    Call ClickHelp(const wchar_t* title, int close, bool messageBox = false) {
        HWND window = nullptr;
        EXPECT_TRUE(PollUntil([&] { return (window = FindShown(title)) != nullptr; }));
        if (!window)
            return {};
        const size_t before = Calls().size();
        EXPECT_NE(GetDlgItem(window, IDHELP), nullptr) << "no Help button";
        HELPINFO info = {};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        if (messageBox)
            SendMessageW(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        else
            PostMessageW(GetDlgItem(window, IDHELP), BM_CLICK, 0, 0);
        EXPECT_TRUE(PollUntil([&] { return Calls().size() > before; }));
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(close, BN_CLICKED), 0);
        EXPECT_TRUE(PollUntil([&] { return FindShown(title) == nullptr; }));
        const std::vector<Call> calls = Calls();
        Call last = calls.size() > before ? calls.back() : Call{};
        if (last.owner == window)
            last.owner = reinterpret_cast<HWND>(1); // "the window itself", for the comparison
        return last;
    }

  private:
    std::mutex mutex_;
    std::vector<Call> calls_;
};

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(BridgeHelpTest, EachWindowsHelpButtonOpensItsTopic) {
    const std::vector<GpgKey> keys;
    BridgeSettings settings;
    const HWND self = reinterpret_cast<HWND>(1);
    struct Case {
        const wchar_t* title;
        std::function<void()> run;
        HelpTopic topic;
    } cases[] = {
        {L"GnuPG bridge - Recipients",
         [&] {
             RecipientChoice choice;
             ChooseRecipients(nullptr, keys, settings, choice);
         },
         HelpTopic::Recipients},
        {L"GnuPG bridge - Decrypted text", [] { ShowDecrypted(nullptr, "Good signature.", "Hi"); },
         HelpTopic::Decrypted},
        {L"GnuPG bridge - Keys",
         [&] { ShowKeyList(nullptr, "GnuPG bridge - Keys", "", keys, false); }, HelpTopic::Keys},
        {L"GnuPG bridge - Preferences",
         [&] {
             BridgeSettings edited;
             EditPreferences(nullptr, edited, keys, "");
         },
         HelpTopic::Preferences},
    };
    for (const Case& c : cases) {
        std::thread shown(c.run);
        const Call call = ClickHelp(c.title, IDCANCEL);
        shown.join();
        EXPECT_EQ(call.owner, self) << HelpPage(c.topic);
        EXPECT_TRUE(EndsWith(call.target, "\\PGPBridge.chm::/" + HelpPage(c.topic))) << call.target;
    }
}

// The bridge itself on a thread of its own, as GpgBridge.exe runs it.
TEST_F(BridgeHelpTest, MenuHelpAndTheMissingGnuPGBoxOpenTheirTopics) {
    WritePrivateProfileStringA("GnuPG", "GpgPath", "C:\\nowhere\\gpg.exe", "GpgBridge.INI");
    HWND bridgeWindow = nullptr;
    std::thread bridge([&] {
        Bridge b;
        if (!b.Create(GetModuleHandleW(nullptr)))
            return;
        bridgeWindow = FindWindowA(kTrayWindowClass, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
    ASSERT_TRUE(PollUntil([&] { return bridgeWindow != nullptr; }));
    PostMessageA(bridgeWindow, WM_COMMAND, IDM_HELP, 0);
    ASSERT_TRUE(PollUntil([&] { return !Calls().empty(); }));
    EXPECT_TRUE(EndsWith(Calls()[0].target, "\\PGPBridge.chm::/overview.htm")) << Calls()[0].target;

    WriteClipboardText(nullptr, "Sign me.\r\n");
    PostMessageA(bridgeWindow, WM_COMMAND, 40018, 0); // sign: no GnuPG there
    const Call call = ClickHelp(L"GnuPG bridge", IDOK, true);
    EXPECT_TRUE(EndsWith(call.target, "\\PGPBridge.chm::/findgpg.htm")) << call.target;

    PostMessageA(bridgeWindow, WM_COMMAND, IDM_EXIT, 0);
    bridge.join();
    WritePrivateProfileStringA("GnuPG", "GpgPath", nullptr, "GpgBridge.INI");
}

#ifdef BRIDGE_HELP_CHM
// What Wextor's PGP help button looks for in PGP's folder: the bridge's file matches PGP*.chm.
TEST(BridgeHelpFile, LiesBesideTheBridgeUnderAPgpName) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(BRIDGE_DIR "\\PGP*.chm", &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_STREQ(found.cFileName, "PGPBridge.chm");
}
#endif

} // namespace
