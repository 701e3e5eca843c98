#include "app/TaskIcon_win.h"
#include "app/global.h"
#include "res/resource.h"
#include "support/Tips_win.h"
#include "support/help_win.h"
#include "wintest.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <string>
#include <vector>

using namespace wintest;

namespace {
BOOL CALLBACK CollectTipsWindow(HWND w, LPARAM p) {
    if (IsWindowVisible(w) && GetDlgItem(w, IDC_TIPS_NEXT))
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}
// The tips windows this thread shows.
std::vector<HWND> TipsWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectTipsWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}
HWND FindTipsWindow() {
    const std::vector<HWND> found = TipsWindows();
    return found.empty() ? nullptr : found.front();
}

// Plays steps against the tips window from a timer while it runs modally; gives up (and
// closes it) after a bound.
class DialogScript {
  public:
    using Step = std::function<void(HWND)>;
    explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {}
    void Run(const std::function<void()>& show) {
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &Tick);
        show();
        KillTimer(nullptr, timer);
        current_ = nullptr;
    }
    std::size_t played() const { return next_; }
    bool timedOut() const { return timedOut_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogScript* s = current_;
        if (!s || s->busy_)
            return;
        const HWND dialog = FindTipsWindow();
        if (!dialog)
            return;
        s->busy_ = true;
        if (s->next_ < s->steps_.size()) {
            s->steps_[s->next_++](dialog);
        } else if (++s->idleTicks_ > 300) {
            s->timedOut_ = true;
            EndDialog(dialog, 0);
        }
        s->busy_ = false;
    }
    static inline DialogScript* current_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int idleTicks_ = 0;
    bool busy_ = false;
    bool timedOut_ = false;
};

std::string ItemText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
bool HelpEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDC_TIPS_HELP)) != FALSE;
}
void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class TipsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 4406;
        host.tipNumber = &tipNumber;
        host.tipEnabled = &tipEnabled;
        host.programDir = dir.path();
        host.appTitle = "Wextor 5";
        host.saveTipSettings = [this] { saved.push_back(tipNumber * 10 + tipEnabled); };
        host.setTrayActive = [this](bool a) { tray.push_back(a); };
        host.onError = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    void WriteTips(const std::string& text) { WriteFile(dir.file("tips.dat"), text); }
    void Show(std::vector<DialogScript::Step> steps) {
        DialogScript script(std::move(steps));
        script.Run([this] { ShowTipOfTheDay(host); });
        EXPECT_FALSE(script.timedOut()) << "the window did not close";
        EXPECT_FALSE(TipsWindowShowing());
    }

    TempDir dir;
    int tipNumber = 0;
    bool tipEnabled = true;
    TipsHost host;
    std::vector<int> saved; // tipNumber * 10 + tipEnabled at each save
    std::vector<bool> tray;
    std::vector<std::string> errors;
};
} // namespace

TEST_F(TipsWindowTest, OpensOnTheNextTipAndSteps) {
    WriteTips("1,First tip\r\n0,Second tip\r\n9003,Third tip\r\n");
    tipNumber = 2;
    bool checked = false;
    Show({
        [&](HWND d) {
            checked = true;
            char caption[128];
            GetWindowTextA(d, caption, sizeof caption);
            EXPECT_STREQ(caption, "Wextor 5 - Tip of the Day");
            EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "First tip");
            EXPECT_EQ(tipNumber, 0);
            EXPECT_TRUE(HelpEnabled(d));
            EXPECT_EQ(IsDlgButtonChecked(d, IDC_TIPS_SHOW), static_cast<UINT>(BST_CHECKED));
            EXPECT_EQ(tray, std::vector<bool>{false}) << "the tray icon stays while it shows";
            EXPECT_TRUE(TipsWindowShowing());
            EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
            EXPECT_EQ(ItemText(d, IDOK), "&Ok");
            EXPECT_EQ(ItemText(d, IDC_TIPS_NEXT), "&Next");
            EXPECT_EQ(ItemText(d, IDC_TIPS_PREVIOUS), "&Previous");
            EXPECT_EQ(ItemText(d, IDC_TIPS_HELP), "&Help");
            EXPECT_EQ(ItemText(d, IDC_TIPS_SHOW), "Show these tips");
            EXPECT_EQ(ItemText(d, IDC_TIPS_HEADING), "Did you know?");
        },
        [&](HWND d) {
            Click(d, IDC_TIPS_PREVIOUS);
            EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "Third tip");
            EXPECT_EQ(tipNumber, 2);
            Click(d, IDC_TIPS_PREVIOUS);
            EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "Second tip");
            EXPECT_FALSE(HelpEnabled(d));
            Click(d, IDC_TIPS_NEXT);
            Click(d, IDC_TIPS_NEXT);
            EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "First tip");
        },
        [&](HWND d) {
            CheckDlgButton(d, IDC_TIPS_SHOW, BST_UNCHECKED);
            Click(d, IDC_TIPS_SHOW);
            EXPECT_FALSE(tipEnabled) << "stored before the window closes";
            EXPECT_EQ(saved.back(), 0);
        },
        [&](HWND d) { Click(d, IDCANCEL); }, // Esc and the close box
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(saved, (std::vector<int>{1, 21, 11, 21, 1, 0}));
    EXPECT_EQ(tray, (std::vector<bool>{false, true}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(TipsWindowTest, LooksAsItShould) {
    WriteTips("0,A tip with an & in it that is long enough to need more than one line in the "
              "box, so that the box must wrap it.\r\n");
    Show({[&](HWND d) {
              EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT).find("&"), 14u);
              const HWND text = GetDlgItem(d, IDC_TIPS_TEXT);
              const LONG style = GetWindowLongA(text, GWL_STYLE);
              EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);
              EXPECT_TRUE(style & SS_SUNKEN);
              EXPECT_TRUE(style & SS_NOPREFIX);
              HDC dc = GetDC(text);
              const auto brush = reinterpret_cast<HBRUSH>(
                  SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(text)));
              EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
              ReleaseDC(text, dc);
              LOGBRUSH lb = {};
              ASSERT_TRUE(GetObjectA(brush, sizeof lb, &lb));
              EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));

              LOGFONTA font = {};
              const auto heading = reinterpret_cast<HGDIOBJ>(
                  SendDlgItemMessageA(d, IDC_TIPS_HEADING, WM_GETFONT, 0, 0));
              ASSERT_TRUE(GetObjectA(heading, sizeof font, &font));
              EXPECT_GE(font.lfWeight, FW_BOLD);
              EXPECT_TRUE(SendDlgItemMessageA(d, IDOK, BM_GETSTATE, 0, 0) >= 0);
              EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
              EXPECT_NE(SendDlgItemMessageA(d, IDC_TIPS_IMAGE, STM_GETICON, 0, 0), 0);

              RECT r;
              GetWindowRect(d, &r);
              const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
              EXPECT_NEAR(cx, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
              EXPECT_NEAR(cy, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
              const LONG frame = GetWindowLongA(d, GWL_STYLE);
              EXPECT_FALSE(frame & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
              EXPECT_TRUE(frame & WS_SYSMENU);
          },
          [&](HWND d) {
              // Enter in the window presses the default button, Ok.
              SetFocus(GetDlgItem(d, IDC_TIPS_SHOW));
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
          }});
    EXPECT_EQ(tray, (std::vector<bool>{false, true}));
}

TEST_F(TipsWindowTest, EscClosesIt) {
    WriteTips("0,a\r\n");
    Show({[&](HWND d) { PostMessageA(GetDlgItem(d, IDC_TIPS_NEXT), WM_KEYDOWN, VK_ESCAPE, 0); }});
}

TEST_F(TipsWindowTest, TheTrayIconIsAwayWhileItShows) {
    std::vector<DWORD> shell;
    const TTaskIcon::ShellNotifyHook saved = TTaskIcon::ShellNotify;
    TTaskIcon::ShellNotify = [&](DWORD command, NOTIFYICONDATAA*) {
        shell.push_back(command);
        return TRUE;
    };
    {
        TTaskIcon icon(nullptr);
        icon.SetActive(true);
        host.setTrayActive = [&](bool a) { icon.SetActive(a); };
        WriteTips("0,a\r\n");
        Show({[&](HWND d) {
            EXPECT_FALSE(icon.Active());
            Click(d, IDOK);
        }});
        EXPECT_TRUE(icon.Active());
    }
    TTaskIcon::ShellNotify = saved;
    EXPECT_EQ(shell, (std::vector<DWORD>{NIM_ADD, NIM_DELETE, NIM_ADD, NIM_DELETE}));
}

TEST_F(TipsWindowTest, ASecondCallWhileItShowsDoesNothing) {
    WriteTips("0,a\r\n0,b\r\n");
    int windows = 0;
    Show({[&](HWND d) {
        ShowTipOfTheDay(host); // returns at once
        windows = static_cast<int>(TipsWindows().size());
        EXPECT_EQ(tray, std::vector<bool>{false});
        EXPECT_EQ(tipNumber, 1) << "stepped once only";
        Click(d, IDOK);
    }});
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(tray, (std::vector<bool>{false, true}));
    // Closed, it opens again.
    Show({[&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "a");
        Click(d, IDOK);
    }});
}

TEST_F(TipsWindowTest, HelpOpensTheTopicAndCloses) {
    WriteTips("12,First part, second part\r\n");
    std::vector<HelpCall> calls;
    const HelpHook saved = SetHelpHook([&](const HelpCall& call) { calls.push_back(call); });
    const HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       nullptr, nullptr);
    host.owner = owner;
    Show({[&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "First part, second part");
        EXPECT_TRUE(HelpEnabled(d));
        Click(d, IDC_TIPS_HELP);
    }});
    SetHelpHook(saved);
    DestroyWindow(owner);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].target, dir.path() + "Wextor5.chm::/ctx12.htm");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(calls[0].context, 12u);
}

TEST_F(TipsWindowTest, ABadLineFromNextGoesToTheApplicationHandler) {
    WriteTips("7,Good\r\nseven,Bad\r\n");
    tipNumber = 1;
    Show({[&](HWND d) {
        EXPECT_TRUE(HelpEnabled(d));
        Click(d, IDC_TIPS_NEXT);
        EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "Bad");
        EXPECT_FALSE(HelpEnabled(d));
        EXPECT_EQ(errors, std::vector<std::string>{"'seven' is not a valid integer value"});
        EXPECT_TRUE(IsWindowVisible(d)) << "the window goes on";
        Click(d, IDOK);
    }});
}

TEST_F(TipsWindowTest, WithoutAHandlerTheErrorIsReported) {
    WriteTips("");
    host.onError = nullptr;
    BoxAnswerer boxes;
    Show({[&](HWND d) {
        EXPECT_TRUE(boxes.asked().empty()) << "the failure at opening is silent";
        Click(d, IDC_TIPS_PREVIOUS);
        Click(d, IDOK);
    }});
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, "Error in ListIndexError.4406 with UH List index out of "
                                     "bounds (0)");
    EXPECT_EQ(boxes.asked()[0].caption, "Warning");
    EXPECT_EQ(tipNumber, 0);
}

TEST_F(TipsWindowTest, MissingOrLockedFileOpensEmpty) {
    tipNumber = 2;
    Show({[&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "");
        EXPECT_FALSE(HelpEnabled(d));
        Click(d, IDOK);
    }});
    EXPECT_EQ(saved, std::vector<int>{1}) << "stepping stores 0";

    WriteTips("5,a\r\n");
    saved.clear();
    tipNumber = 3;
    const HANDLE lock = CreateFileA(dir.file("tips.dat").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Show({[&](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_TIPS_TEXT), "");
        Click(d, IDOK);
    }});
    CloseHandle(lock);
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(tipNumber, 3);
    EXPECT_TRUE(errors.empty());
}
