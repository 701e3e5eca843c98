// The keyboard shortcut of the properties window: the Options page's field, the settings file,
// the system-wide registration and WM_HOTKEY, with another window holding keys where needed.
#include "app/global.h"
#include "app/props_win.h"
#include "app/settings_win.h"
#include "drivers/MFDDirectory.h"
#include "res/resource.h"
#include "wintest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace wintest;

namespace {
const char kIni[] = "WextorHotKeyTest.INI";
const WORD kDefault = MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_SHIFT);

std::string WindowsFile(const char* name) {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

// Another program's window that holds keys of its own.
class OtherHolder {
  public:
    OtherHolder()
        : window_(CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr)) {}
    ~OtherHolder() {
        UnregisterHotKey(window_, 7);
        DestroyWindow(window_);
    }
    // True when nobody held them: they are this holder's now.
    bool Take(UINT modifiers, UINT key) {
        UnregisterHotKey(window_, 7);
        return RegisterHotKey(window_, 7, modifiers, key) != FALSE;
    }
    void Give() { UnregisterHotKey(window_, 7); }

  private:
    HWND window_;
};

class HotKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteFileA(WindowsFile(kIni).c_str());
        ProgramDir = dir.path();
        const std::string mfd = dir.path() + "mfd";
        CreateDirectoryA(mfd.c_str(), nullptr);
        MfdDirectory = mfd;
        WriteFile(mfd + "\\DEMOMFD.EXE", "");
        WriteFile(mfd + "\\SELECTG.DAT", "Demo Mail!!DEMOMFD.EXE\r\n");
        RecentPage = 2;
        TrayClickBusy = false;
    }
    void TearDown() override {
        props.reset();
        DeleteFileA(WindowsFile(kIni).c_str());
    }

    TfrmProps& Open() {
        PropsActions a;
        a.runMainPgp = [this](bool routine) { runs.push_back(routine); };
        a.probePgpVersion = [](TVersionLabel&) {};
        a.showTipOfTheDay = [] {};
        a.showHelp = [](unsigned, bool) {};
        a.quit = [] {};
        props = std::make_unique<TfrmProps>(a, kIni);
        props->FillMailerLists({});
        props->LoadSettings();
        props->HidePropsWindow();
        PumpMessages();
        return *props;
    }

    HWND Field() const { return GetDlgItem(PageOf(IDC_HOTKEY1), IDC_HOTKEY1); }
    HWND PageOf(int id) const {
        for (HWND page = GetWindow(props->Handle(), GW_CHILD); page;
             page = GetWindow(page, GW_HWNDNEXT))
            if (GetDlgItem(page, id))
                return page;
        return nullptr;
    }
    WORD Shown() const { return static_cast<WORD>(SendMessageA(Field(), HKM_GETHOTKEY, 0, 0)); }
    void Choose(WORD value) { SendMessageA(Field(), HKM_SETHOTKEY, value, 0); }
    void Press(int id) { SendMessageA(GetDlgItem(props->Handle(), id), BM_CLICK, 0, 0); }
    std::string FileValue() { return PrivateProfile(kIni).ReadString("General", "Hotkey", "-"); }

    TempDir dir;
    BoxAnswerer boxes;
    OtherHolder other;
    std::unique_ptr<TfrmProps> props;
    std::vector<bool> runs;
};
} // namespace

TEST_F(HotKeyTest, TheFieldShowsTheFilesShortcut) {
    struct Case {
        const char* value; // nullptr: no key in the file
        WORD shown;
        bool held; // other programs can no longer have Ctrl+Shift+F9
    };
    const Case cases[] = {
        {nullptr, kDefault, true},
        {"Shift+Ctrl+F9", kDefault, true},
        {"shift+ctrl+q", MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT), false},
        {"None", 0, false},
        {"Ctrl+Alt+Nonsense", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(missing)");
        if (c.value)
            PrivateProfile(kIni).WriteString("General", "Hotkey", c.value);
        Open();
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(other.Take(MOD_CONTROL | MOD_SHIFT, VK_F9), !c.held);
        other.Give();
        props.reset();
        // Given back at exit.
        EXPECT_TRUE(other.Take(MOD_CONTROL | MOD_SHIFT, VK_F9));
        other.Give();
    }
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(HotKeyTest, OkWritesAndHoldsTheNewShortcutCancelRereads) {
    TfrmProps& p = Open();
    p.ShowPropsWindow();
    Choose(MAKEWORD('E', HOTKEYF_CONTROL | HOTKEYF_ALT));
    Press(IDCANCEL);
    EXPECT_EQ(Shown(), kDefault);
    EXPECT_EQ(FileValue(), "-");

    p.ShowPropsWindow();
    Choose(MAKEWORD('E', HOTKEYF_CONTROL | HOTKEYF_ALT));
    Press(IDOK);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(FileValue(), "Ctrl+Alt+E");
    EXPECT_FALSE(other.Take(MOD_CONTROL | MOD_ALT, 'E'));
    EXPECT_TRUE(other.Take(MOD_CONTROL | MOD_SHIFT, VK_F9)); // the old one given back
    other.Give();
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(HotKeyTest, ATakenShortcutIsToldWithItsKeys) {
    ASSERT_TRUE(other.Take(MOD_CONTROL | MOD_SHIFT, VK_F9));
    Open(); // the default: only the log tells
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_NE(ReadFile(dir.file("DebugLog.Txt")).find("Ctrl+Shift+F9"), std::string::npos);

    props->ShowPropsWindow();
    Press(IDOK);
    ASSERT_EQ(boxes.asked().size(), 1u);
    const std::string text = boxes.asked()[0].text;
    EXPECT_NE(text.find("Ctrl+Shift+F9"), std::string::npos) << text;
    EXPECT_NE(text.find("Another program"), std::string::npos) << text;
    EXPECT_NE(text.find("Options page"), std::string::npos) << text;
    // Left open on the field, for another choice.
    EXPECT_TRUE(IsWindowVisible(props->Handle()));
    EXPECT_EQ(props->ActivePage(), OptionsPage);
    EXPECT_EQ(GetFocus(), Field());
    EXPECT_EQ(FileValue(), "Ctrl+Shift+F9");

    Choose(MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    Press(IDOK);
    EXPECT_EQ(boxes.asked().size(), 1u);
    EXPECT_FALSE(IsWindowVisible(props->Handle()));

    // Chosen by the user and taken at the next start: told.
    props.reset();
    ASSERT_TRUE(other.Take(MOD_CONTROL | MOD_SHIFT, VK_F11));
    Open();
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_NE(boxes.asked()[1].text.find("Ctrl+Shift+F11"), std::string::npos);
    props->ShowPropsWindow();
    Press(IDCANCEL); // the same keys read again: not told twice
    EXPECT_EQ(boxes.asked().size(), 2u);
}

TEST_F(HotKeyTest, TheShortcutStartsTheTrayClicksRun) {
    TfrmProps& p = Open();
    PostMessageA(p.Handle(), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F9));
    PumpMessages();
    EXPECT_EQ(runs, std::vector<bool>{true});
    EXPECT_NE(ReadFile(dir.file("DebugLog.Txt")).find("MainPGP-K"), std::string::npos);
    EXPECT_FALSE(TrayClickBusy);

    TrayClickBusy = true; // a run under way: the shortcut starts none
    PostMessageA(p.Handle(), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F9));
    PumpMessages();
    EXPECT_EQ(runs.size(), 1u);
    TrayClickBusy = false;
}
