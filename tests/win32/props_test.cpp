// The properties window driven as a user would: clicks, list selections, tabs, the mouse on
// the mailer lists, the close box and keys, against a real catalogue and settings file.
#include "app/global.h"
#include "app/props_win.h"
#include "common/unicode_win.h"
#include "drivers/MFDDirectory.h"
#include "processing/pgpcontrol.h"
#include "res/resource.h"
#include "support/placefrm.h"
#include "wintest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace wintest;

namespace {
const char kIni[] = "WextorPropsTest.INI";
using Texts = std::vector<std::string>;

std::string WindowsFile(const char* name) {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

struct FindArgs {
    int id;
    HWND found;
};
BOOL CALLBACK FindById(HWND w, LPARAM p) {
    auto* args = reinterpret_cast<FindArgs*>(p);
    if (GetDlgCtrlID(w) == args->id && !args->found)
        args->found = w;
    return TRUE;
}
// A control of the window or of one of its pages.
HWND Control(const TfrmProps& props, int id) {
    FindArgs args = {id, nullptr};
    EnumChildWindows(props.Handle(), FindById, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

std::string Text(HWND w) {
    char buffer[4096] = "";
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

Texts ListItems(HWND list) {
    Texts items;
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(text);
    }
    return items;
}

// The display names of a list's entries, marks included.
Texts Names(HWND list) {
    Texts names;
    for (const std::string& e : ListItems(list))
        names.push_back(e.substr(0, e.find("     ")));
    return names;
}

int Selected(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

// What the box tells its page when the user selects an entry.
void SelectEntry(HWND list, int index) {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

int IndexOf(HWND list, const std::string& name) {
    const Texts names = Names(list);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name || names[i] == "=" + name)
            return static_cast<int>(i);
    return -1;
}

POINT EntryPoint(HWND list, int index) {
    RECT r = {};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point of the list below its last entry.
POINT EmptyPoint(HWND list) {
    RECT r;
    GetClientRect(list, &r);
    return {r.right / 2, r.bottom - 3};
}

void Mouse(HWND w, UINT message, POINT at, WPARAM keys = 0) {
    SendMessageA(w, message, keys, MAKELPARAM(at.x, at.y));
}

void Click(const TfrmProps& props, int id) {
    SendMessageA(Control(props, id), BM_CLICK, 0, 0);
}

void Type(const TfrmProps& props, int id, const std::string& text) {
    SetWindowTextA(Control(props, id), text.c_str()); // the edit tells its page EN_CHANGE
}

HWND Tabs(const TfrmProps& props) {
    return Control(props, IDC_PAGECONTROL1);
}

Texts TabCaptions(const TfrmProps& props) {
    Texts captions;
    const int n = static_cast<int>(SendMessageA(Tabs(props), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(Tabs(props), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

// The user clicks the tab at that position.
void ChooseTab(const TfrmProps& props, int position) {
    SendMessageA(Tabs(props), TCM_SETCURSEL, static_cast<WPARAM>(position), 0);
    NMHDR header = {Tabs(props), IDC_PAGECONTROL1, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(props.Handle(), WM_NOTIFY, IDC_PAGECONTROL1, reinterpret_cast<LPARAM>(&header));
}

// F1 or the context-help box on a control.
void AskHelp(HWND control) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// Messages through the window's own filter, as the program's message loop runs them.
bool PumpUntil(TfrmProps& props, const std::function<bool()>& cond, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeoutMs)
            return cond();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!props.PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// PGP as the Direct access buttons meet it.
class FakePgp : public PgpPlatform {
  public:
    WindowHandle tray = nullptr;
    Texts started, helpFiles;
    std::vector<unsigned> commands;
    WindowHandle FindTrayWindow() override { return tray; }
    unsigned StartProgram(const std::string& commandLine) override {
        started.push_back(commandLine);
        return 33;
    }
    unsigned long long NowMs() override { return 0; }
    bool ProcessMessages() override { return true; }
    void WaitForMessages(unsigned) override {}
    void BringToForeground(WindowHandle) override {}
    void SendCommand(WindowHandle, unsigned id) override { commands.push_back(id); }
    std::string ClipboardText() override { return ""; }
    bool FileExists(const std::string&) override { return true; }
    std::vector<FoundFile> FindFiles(const std::string&) override {
        return {{"PGP50.Hlp", FILE_ATTRIBUTE_ARCHIVE}};
    }
    void OpenHelpFile(WindowHandle, const std::string& file, PgpHelpKind) override {
        helpFiles.push_back(file);
    }
};

// A program folder with a driver folder and catalogue, the settings file, and the window.
class PropsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteFileA(WindowsFile(kIni).c_str());
        ProgramDir = dir.path();
        mfd = dir.path() + "mfd";
        CreateDirectoryA(mfd.c_str(), nullptr);
        MfdDirectory = mfd;
        for (const char* driver : {"DEMOMFD.EXE", "NOTEMFD.EXE", "SCRIPT.MFS"})
            WriteFile(mfd + "\\" + driver, "");
        WriteFile(mfd + "\\SELECTG.DAT", "Demo Mail!!DEMOMFD.EXE\r\n"
                                         "Notepad!!NOTEMFD.EXE\r\n"
                                         "Demo Mail Compose!!DEMOMFD.EXE\r\n"
                                         "Other Case!!demomfd.exe\r\n"
                                         "Script Mail!4!SCRIPT.MFS\r\n"
                                         "Gone!!MISSING.EXE\r\n");
        RecentPage = 2;
        SuperDebug = false;
        TrayClickBusy = false;
        StepCode = 0;
        PgpMainExe.clear();
        savedTrackMenu = TfrmProps::TrackMenu;
        TfrmProps::TrackMenu = [this](HMENU menu, HWND, int, int) {
            Texts items;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                char text[64] = "";
                GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                items.push_back(text);
            }
            menus.push_back(items);
            return menuAnswer;
        };
    }

    void TearDown() override {
        props.reset();
        TfrmProps::TrackMenu = savedTrackMenu;
        DeleteFileA(WindowsFile(kIni).c_str());
    }

    // The window as start-up leaves it, with these lines in ActiveMailers.dat; realRun leaves
    // the processing run in place.
    TfrmProps& Open(const Texts& activeNames = {}, bool realRun = false) {
        PropsActions a;
        if (!realRun)
            a.runMainPgp = [this](bool routine) {
                runs.push_back(routine);
                if (duringRun)
                    duringRun();
            };
        a.showDriverDetails = [this](const std::string& f) { details.push_back(f); };
        a.clipboardReceiverChange = [this] {
            receiverTexts.push_back(props->ClipboardReceiverText());
        };
        a.timer1Timer = [this] { ++timerTicks; };
        a.showTipOfTheDay = [this] { ++tipsShown; };
        a.showHelp = [this](unsigned context, bool popup) { helps.push_back({context, popup}); };
        a.quit = [this] { ++quits; };
        props = std::make_unique<TfrmProps>(a, kIni);
        Texts lines;
        for (const std::string& name : activeNames)
            lines.push_back(MailerEntry(name, name == "Notepad" ? "NOTEMFD.EXE" : "DEMOMFD.EXE"));
        props->FillMailerLists(lines);
        props->LoadSettings();
        props->RefreshControls();
        props->HidePropsWindow();
        PumpMessages();
        return *props;
    }

    HWND Library() const { return Control(*props, IDC_LSTLIBRARY); }
    HWND Active() const { return Control(*props, IDC_LSTACTIVE); }

    TempDir dir;
    std::string mfd;
    BoxAnswerer boxes;
    std::unique_ptr<TfrmProps> props;
    TfrmProps::TrackMenuHook savedTrackMenu;
    std::vector<Texts> menus;
    int menuAnswer = 0;
    std::vector<bool> runs;
    std::function<void()> duringRun;
    Texts details, receiverTexts;
    int timerTicks = 0, tipsShown = 0, quits = 0;
    std::vector<std::pair<unsigned, bool>> helps;
};
} // namespace

TEST_F(PropsTest, OpensCentredOnTheRememberedPage) {
    PrivateProfile(kIni).WriteString("General", "RecentPage", "4");
    TfrmProps& p = Open({"Notepad"});
    EXPECT_FALSE(IsWindowVisible(p.Handle()));

    p.ShowPropsWindow();
    ASSERT_TRUE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(Text(p.Handle()), "Wextor 5");
    RECT r;
    GetClientRect(p.Handle(), &r);
    EXPECT_EQ(r.right, 449);
    EXPECT_EQ(r.bottom, 332);
    GetWindowRect(p.Handle(), &r);
    EXPECT_EQ(r.left, PlacedEdge(GetSystemMetrics(SM_CXSCREEN), r.right - r.left, 5000));
    EXPECT_EQ(r.top, PlacedEdge(GetSystemMetrics(SM_CYSCREEN), r.bottom - r.top, 5000));
    const LONG style = GetWindowLongA(p.Handle(), GWL_STYLE);
    EXPECT_TRUE(GetWindowLongA(p.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    EXPECT_EQ(TabCaptions(p), (Texts{"Routine", "Special", "Mailer Choice", "Options", "About"}));
    EXPECT_EQ(p.ActivePage(), AboutPage);
    EXPECT_EQ(SendMessageA(Tabs(p), TCM_GETCURSEL, 0, 0), 4);
    EXPECT_TRUE(IsWindowVisible(Control(p, IDC_TXTABOUT)));
    EXPECT_FALSE(IsWindowVisible(Control(p, IDC_LSTACTIVE)));
    EXPECT_FALSE(IsWindowVisible(Control(p, IDC_LBLNOMAILERS)));

    // The receiver is never seen and never takes the focus.
    const HWND receiver = Control(p, IDC_TXTCLIPBOARDRECEIVER);
    EXPECT_FALSE(IsWindowVisible(receiver));
    EXPECT_FALSE(GetWindowLongA(receiver, GWL_STYLE) & WS_TABSTOP);

    // Tool tips carry the hints.
    const HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 5);
    char hint[100] = "";
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = p.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(p, IDC_BTNUNLOAD));
    tool.lpszText = hint;
    SendMessageA(tips, TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(hint, "Remove Wextor 5 from memory");

    // A hand-edited page outside 0 to 4 opens Mailer Choice.
    p.HidePropsWindow();
    RecentPage = 17;
    p.ShowPropsWindow();
    EXPECT_EQ(p.ActivePage(), MailerChoicePage);
    EXPECT_EQ(SendMessageA(Tabs(p), TCM_GETCURSEL, 0, 0), 2);
}

TEST_F(PropsTest, WithoutActiveMailersOnlyMailerChoiceAndAboutShow) {
    TfrmProps& p = Open();
    // The start-up refresh found the active list empty and showed the window; start-up hid it.
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    EXPECT_TRUE(p.lstActive().Empty());
    EXPECT_EQ(Names(Library()),
              (Texts{"Demo Mail", "Demo Mail Compose", "Notepad", "Other Case", "Script Mail"}));
    EXPECT_TRUE(ActiveDriverFiles.empty());

    RecentPage = 0;
    p.ShowPropsWindow();
    EXPECT_EQ(TabCaptions(p), (Texts{"Mailer Choice", "About"}));
    EXPECT_EQ(p.ActivePage(), MailerChoicePage);
    EXPECT_EQ(SendMessageA(Tabs(p), TCM_GETCURSEL, 0, 0), 0);

    // The notice lies over the middle of the active list, above it.
    const HWND notice = Control(p, IDC_LBLNOMAILERS);
    ASSERT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ(Text(notice), "No mailers are in the Active list. You must move at least one from "
                            "the Library into the Active list.");
    RECT n, a;
    GetWindowRect(notice, &n);
    GetWindowRect(Active(), &a);
    EXPECT_TRUE(n.left > a.left && n.right < a.right && n.top > a.top && n.bottom < a.bottom);
    bool noticeFirst = false;
    for (HWND w = GetWindow(Active(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        noticeFirst = noticeFirst || w == notice;
    EXPECT_TRUE(noticeFirst) << "the notice is below the list";

    // About chosen among two tabs is remembered as tab 1; next time the window ends on
    // Mailer Choice all the same.
    ChooseTab(p, 1);
    EXPECT_EQ(p.ActivePage(), AboutPage);
    EXPECT_EQ(RecentPage, 1);
    p.HidePropsWindow();
    p.ShowPropsWindow();
    EXPECT_EQ(p.ActivePage(), MailerChoicePage);

    // With the window hidden, a refresh that finds the list empty shows it on Mailer Choice.
    p.HidePropsWindow();
    p.RefreshControls();
    EXPECT_TRUE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(p.ActivePage(), MailerChoicePage);
}

TEST_F(PropsTest, MailersMoveWithTheirDriverAndCarryMarks) {
    TfrmProps& p = Open();
    p.ShowPropsWindow();

    // A double-click on Demo Mail brings Demo Mail Compose along (same driver file); the
    // driver named in other letter case stays behind.
    Mouse(Library(), WM_LBUTTONDBLCLK, EntryPoint(Library(), IndexOf(Library(), "Demo Mail")));
    EXPECT_EQ(Names(Library()), (Texts{"Notepad", "Other Case", "Script Mail"}));
    EXPECT_EQ(Names(Active()), (Texts{"Demo Mail", "=Demo Mail Compose"}));
    EXPECT_EQ(Selected(Active()), 0) << "the moved entry that stood highest";
    EXPECT_EQ(ActiveDriverFiles, (Texts{"DEMOMFD.EXE"}));
    EXPECT_EQ(TabCaptions(p).size(), 5u);
    EXPECT_FALSE(IsWindowVisible(Control(p, IDC_LBLNOMAILERS)));

    // Right click on Other Case, "Make &Active" from its menu: counted once among the drivers,
    // never marked.
    menuAnswer = IDM_MAKEACTIVE1;
    const POINT other = EntryPoint(Library(), IndexOf(Library(), "Other Case"));
    Mouse(Library(), WM_RBUTTONDOWN, other);
    Mouse(Library(), WM_RBUTTONUP, other);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0], (Texts{"&Details", "Make &Active"}));
    EXPECT_EQ(Names(Active()), (Texts{"Demo Mail", "Demo Mail Compose", "Other Case"}));
    EXPECT_EQ(Selected(Active()), 2);
    EXPECT_EQ(ActiveDriverFiles.size(), 1u);
    SelectEntry(Active(), IndexOf(Active(), "Demo Mail"));
    EXPECT_EQ(Names(Active()), (Texts{"Demo Mail", "=Demo Mail Compose", "Other Case"}));

    // Selecting the compose entry moves the mark to its partner, in place.
    SelectEntry(Active(), IndexOf(Active(), "Demo Mail Compose"));
    EXPECT_EQ(Names(Active()), (Texts{"=Demo Mail", "Demo Mail Compose", "Other Case"}));
    EXPECT_EQ(Selected(Active()), 1);

    // Dragging Notepad onto the active list moves it; selecting it (another driver) clears
    // the marks.
    const HWND library = Library();
    const POINT from = EntryPoint(library, IndexOf(library, "Notepad"));
    Mouse(library, WM_LBUTTONDOWN, from, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), library);
    POINT to = EntryPoint(Active(), 0);
    MapWindowPoints(Active(), library, &to, 1);
    Mouse(library, WM_MOUSEMOVE, to, MK_LBUTTON);
    EXPECT_EQ(GetCursor(),
              LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_PROPS_DRAG)));
    Mouse(library, WM_LBUTTONUP, to);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Names(Active()), (Texts{"Demo Mail", "Demo Mail Compose", "Notepad", "Other Case"}));
    EXPECT_EQ(ActiveDriverFiles.size(), 2u);

    // Dropped on its own list, an entry stays where it is.
    const HWND active = Active();
    Mouse(active, WM_LBUTTONDOWN, EntryPoint(active, 3), MK_LBUTTON);
    Mouse(active, WM_MOUSEMOVE, EntryPoint(active, 0), MK_LBUTTON);
    EXPECT_EQ(GetCursor(),
              LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_PROPS_DRAG)));
    Mouse(active, WM_LBUTTONUP, EntryPoint(active, 0));
    EXPECT_EQ(Names(Active()).size(), 4u);
    EXPECT_EQ(Names(Library()), (Texts{"Script Mail"}));

    // Ok writes the active entries without marks.
    SelectEntry(Active(), IndexOf(Active(), "Demo Mail"));
    ASSERT_EQ(Names(Active())[1], "=Demo Mail Compose");
    Click(p, IDOK);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(StepCode, 2345);
    EXPECT_EQ(ReadFile(dir.file("ActiveMailers.dat")),
              MailerEntry("Demo Mail", "DEMOMFD.EXE") + "\r\n" +
                  MailerEntry("Demo Mail Compose", "DEMOMFD.EXE") + "\r\n" +
                  MailerEntry("Notepad", "NOTEMFD.EXE") + "\r\n" +
                  MailerEntry("Other Case", "demomfd.exe") + "\r\n");

    // Back to the library: the shared pair with "&Return to library", the rest by double-click;
    // the last one out hides three tabs and shows the notice.
    p.ShowPropsWindow();
    menuAnswer = IDM_TOLIBRARY1;
    const POINT compose = EntryPoint(Active(), IndexOf(Active(), "Demo Mail Compose"));
    Mouse(Active(), WM_RBUTTONDOWN, compose);
    Mouse(Active(), WM_RBUTTONUP, compose);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[1], (Texts{"Details", "&Return to library"}));
    EXPECT_EQ(Names(Active()), (Texts{"Notepad", "Other Case"}));
    EXPECT_EQ(Names(Library()), (Texts{"Demo Mail", "Demo Mail Compose", "Script Mail"}));
    Mouse(Active(), WM_LBUTTONDBLCLK, EntryPoint(Active(), 0));
    EXPECT_EQ(TabCaptions(p).size(), 5u);
    Mouse(Active(), WM_LBUTTONDBLCLK, EntryPoint(Active(), 0));
    EXPECT_TRUE(p.lstActive().Empty());
    EXPECT_TRUE(ActiveDriverFiles.empty());
    EXPECT_EQ(TabCaptions(p), (Texts{"Mailer Choice", "About"}));
    EXPECT_TRUE(IsWindowVisible(Control(p, IDC_LBLNOMAILERS)));
    EXPECT_EQ(Names(Library()).size(), 5u);
}

TEST_F(PropsTest, FirstMailerDroppedOnTheNotice) {
    TfrmProps& p = Open();
    p.ShowPropsWindow();
    const HWND library = Library(), notice = Control(p, IDC_LBLNOMAILERS);
    RECT r;
    GetClientRect(notice, &r);
    POINT to = {r.right / 2, r.bottom / 2};
    MapWindowPoints(notice, library, &to, 1);
    Mouse(library, WM_LBUTTONDOWN, EntryPoint(library, IndexOf(library, "Notepad")), MK_LBUTTON);
    Mouse(library, WM_MOUSEMOVE, to, MK_LBUTTON);
    Mouse(library, WM_LBUTTONUP, to);
    EXPECT_EQ(Names(Active()), (Texts{"Notepad"}));
    EXPECT_FALSE(IsWindowVisible(notice));
    EXPECT_EQ(TabCaptions(p).size(), 5u);

    // A button that goes up before the pointer has moved far enough starts no drag.
    Mouse(library, WM_LBUTTONDOWN, EntryPoint(library, 0), MK_LBUTTON);
    POINT nudged = EntryPoint(library, 0);
    ++nudged.x;
    Mouse(library, WM_MOUSEMOVE, nudged, MK_LBUTTON);
    Mouse(library, WM_LBUTTONUP, to);
    EXPECT_EQ(Names(Active()), (Texts{"Notepad"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PropsTest, EmptyPartOfAListOpensNoMenuAndMovesNothing) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, MailerChoicePage);
    SelectEntry(Library(), 0);
    menuAnswer = IDM_MAKEACTIVE1;

    // A right click below the last entry clears the selection; no menu opens.
    Mouse(Library(), WM_RBUTTONDOWN, EmptyPoint(Library()));
    Mouse(Library(), WM_RBUTTONUP, EmptyPoint(Library()));
    EXPECT_EQ(Selected(Library()), -1);
    EXPECT_TRUE(menus.empty());

    // A double-click there: nothing moves, nothing is reported.
    Mouse(Library(), WM_LBUTTONDBLCLK, EmptyPoint(Library()));
    Mouse(Active(), WM_LBUTTONDBLCLK, EmptyPoint(Active()));
    EXPECT_EQ(Names(Active()), (Texts{"Notepad"}));
    EXPECT_EQ(Names(Library()).size(), 4u);
    EXPECT_TRUE(boxes.asked().empty());

    // Details of the entry right-clicked in either list: its driver file.
    menuAnswer = IDM_DETACTIVE;
    Mouse(Active(), WM_RBUTTONDOWN, EntryPoint(Active(), 0));
    Mouse(Active(), WM_RBUTTONUP, EntryPoint(Active(), 0));
    menuAnswer = IDM_DETAILS1;
    const POINT demo = EntryPoint(Library(), IndexOf(Library(), "Demo Mail"));
    Mouse(Library(), WM_RBUTTONDOWN, demo);
    Mouse(Library(), WM_RBUTTONUP, demo);
    EXPECT_EQ(details, (Texts{"NOTEMFD.EXE", "DEMOMFD.EXE"}));
}

TEST_F(PropsTest, MailingListAddressesAddRemoveAndCancel) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, RoutinePage);
    const HWND add = Control(p, IDC_BTNMAILINGLISTADDRESSADD),
               remove = Control(p, IDC_BTNMAILINGLISTADDRESSREMOVE),
               list = Control(p, IDC_LSTMAILINGLISTADDRESS);
    EXPECT_FALSE(IsWindowEnabled(add));
    EXPECT_FALSE(IsWindowEnabled(remove));

    Type(p, IDC_TXTMAILINGLISTADDRESS, "   ");
    EXPECT_FALSE(IsWindowEnabled(add)) << "blanks only";
    Click(p, IDC_BTNMAILINGLISTADDRESSADD);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);

    Type(p, IDC_TXTMAILINGLISTADDRESS, " List@Example.org ");
    EXPECT_TRUE(IsWindowEnabled(add));
    Click(p, IDC_BTNMAILINGLISTADDRESSADD);
    Type(p, IDC_TXTMAILINGLISTADDRESS, " List@Example.org ");
    Click(p, IDC_BTNMAILINGLISTADDRESSADD);
    EXPECT_EQ(ListItems(list), (Texts{" List@Example.org ", " List@Example.org "}));
    EXPECT_EQ(p.MailingListAddresses(), ListItems(list)) << "runs see it at once";
    EXPECT_EQ(Text(Control(p, IDC_TXTMAILINGLISTADDRESS)), "");
    EXPECT_FALSE(IsWindowEnabled(add));

    SelectEntry(list, 1);
    EXPECT_TRUE(IsWindowEnabled(remove));
    Click(p, IDC_BTNMAILINGLISTADDRESSREMOVE);
    EXPECT_EQ(Text(Control(p, IDC_TXTMAILINGLISTADDRESS)), " List@Example.org ");
    EXPECT_EQ(ListItems(list).size(), 1u);
    EXPECT_FALSE(IsWindowEnabled(remove));
    EXPECT_TRUE(IsWindowEnabled(add));

    // Ok keeps the list exactly; a later add is undone by Cancel, a mailer move is not.
    Click(p, IDOK);
    EXPECT_EQ(ReadFile(dir.file("MailingList.dat")), " List@Example.org \r\n");
    p.ShowPropsWindow();
    Type(p, IDC_TXTMAILINGLISTADDRESS, "news@example.org");
    Click(p, IDC_BTNMAILINGLISTADDRESSADD);
    CheckRadioButton(GetParent(add), IDC_OPTPROCESSING_ENCRYPT, IDC_OPTPROCESSING_BOTH,
                     IDC_OPTPROCESSING_BOTH);
    EXPECT_EQ(p.RoutineModeIndex(), 2);
    ChooseTab(p, MailerChoicePage);
    Mouse(Library(), WM_LBUTTONDBLCLK, EntryPoint(Library(), IndexOf(Library(), "Demo Mail")));
    Click(p, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(StepCode, 4411);
    EXPECT_EQ(ListItems(list), (Texts{" List@Example.org "}));
    EXPECT_EQ(p.RoutineModeIndex(), 0);
    EXPECT_EQ(Names(Active()), (Texts{"Demo Mail", "=Demo Mail Compose", "Notepad"}));
    EXPECT_EQ(ActiveDriverFiles.size(), 2u);
}

// An address in any script is kept as typed, in the list, for the runs and in the file.
TEST_F(PropsTest, MailingListAddressKeepsEveryCharacter) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, RoutinePage);
    const std::string address = "Ж@пример.рф";
    SetWindowTextW(Control(p, IDC_TXTMAILINGLISTADDRESS), Widen(address).c_str());
    Click(p, IDC_BTNMAILINGLISTADDRESSADD);
    const HWND list = Control(p, IDC_LSTMAILINGLISTADDRESS);
    wchar_t item[64] = L"";
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Utf8Of(item), address);
    EXPECT_EQ(p.MailingListAddresses(), (Texts{address}));
    Click(p, IDOK);
    EXPECT_EQ(ReadFile(dir.file("MailingList.dat")), "\xEF\xBB\xBF" + address + "\r\n");
    p.ShowPropsWindow();
    Click(p, IDCANCEL); // reads the file again
    EXPECT_EQ(p.MailingListAddresses(), (Texts{address}));
}

TEST_F(PropsTest, SettingsLiveInTheControls) {
    PrivateProfile ini(kIni);
    ini.WriteString("General", "optProcessing", "7");
    ini.WriteString("General", "optOutward", "-5");
    ini.WriteString("General", "chkForceKeyRead", "2");
    ini.WriteString("General", "TipEnabled", "0");
    TfrmProps& p = Open({"Notepad"});
    EXPECT_EQ(p.RoutineModeIndex(), 2);
    EXPECT_EQ(p.SpecialModeIndex(), -1);
    EXPECT_TRUE(p.ForceKeyRead());
    EXPECT_FALSE(p.IgnoreWrappedKeys());
    EXPECT_EQ(ini.ReadString("General", "LocalRoot", ""), dir.path());
    EXPECT_EQ(ini.ReadString("General", "Version", "").rfind("File Version: ", 0), 0u);

    p.ShowPropsWindow();
    ChooseTab(p, OptionsPage);
    Click(p, IDC_CHKIGNOREWRAPPEDKEYS);
    EXPECT_TRUE(p.IgnoreWrappedKeys());
    // The tips box writes at once, without Ok.
    Click(p, IDC_CHKSHOWTIPS);
    EXPECT_TRUE(TipEnabled);
    EXPECT_EQ(ini.ReadString("General", "TipEnabled", ""), "1");
    Click(p, IDC_BTNNOW);
    EXPECT_EQ(tipsShown, 1);
    Click(p, IDOK);
    EXPECT_EQ(ini.ReadString("General", "optOutward", ""), "-1");
    EXPECT_EQ(ini.ReadString("General", "chkForceKeyRead", ""), "1");
    EXPECT_EQ(ini.ReadString("General", "chkIgnoreWrappedKeys", ""), "1");
    EXPECT_EQ(ini.ReadString("General", "RecentPage", ""), "3");
}

TEST_F(PropsTest, HelpButtonAndContextHelp) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, AboutPage);
    Click(p, IDC_BTNHELP);
    ASSERT_EQ(helps.size(), 1u);
    EXPECT_EQ(helps[0], std::make_pair(4004u, false));
    Click(p, IDOK);
    EXPECT_EQ(PrivateProfile(kIni).ReadString("General", "RecentPage", ""), "4");
    RecentPage = 0;
    p.LoadSettings();
    p.ShowPropsWindow();
    EXPECT_EQ(p.ActivePage(), AboutPage);

    struct Case {
        int id;
        unsigned context; // 0: no help
    } cases[] = {
        {IDC_BTNUNLOAD, 19},
        {IDC_OPTPROCESSING_SIGN, 1004},
        {IDC_BTNRUNROUTINE, 4000},
        {IDC_STATICTEXT1, 9101},
        {IDC_LSTMAILINGLISTADDRESS, 9102},
        {IDC_BTNRUN, 9200},
        {IDC_CHKFORCEKEYREAD, 3},
        {IDC_STATICTEXT3, 0},
        {IDC_BTNTOOLS, 9050},
        {IDC_BUTTON1, 9050},
        {IDC_LABEL1, 4002},
        {IDC_LSTLIBRARY, 2000},
        {IDC_LBLNOMAILERS, 2001},
        {IDC_BTNNOW, 9020},
        {IDC_CHKIGNOREWRAPPEDKEYS, 9022},
        {IDC_TXTABOUT, 4004},
        {IDOK, 0},
    };
    for (const Case& c : cases) {
        helps.clear();
        AskHelp(Control(p, c.id));
        if (c.context == 0) {
            EXPECT_TRUE(helps.empty()) << c.id;
        } else {
            ASSERT_EQ(helps.size(), 1u) << c.id;
            EXPECT_EQ(helps[0], std::make_pair(c.context, true)) << c.id;
        }
    }
}

TEST_F(PropsTest, AboutText) {
    DistributionText = "";
    TfrmProps& p = Open({"Notepad"});
    PgpMainExe = "C:\\PGP\\PGP50.exe"; // as the settings and the version probe leave them
    PgpProductName = " PGP";
    PgpFileVersion = " 5.0 ";
    p.FillAboutText();
    const std::string text = p.AboutText();
    const std::string version = TrimBlanks(p.VersionLabel1().Caption());
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(text.substr(0, 12 + version.size() + 2), "\r\nWextor 5 V" + version + "\r\n");
    EXPECT_NE(text.find("\r\nInstalled in: " + dir.path() + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nMail Form Drivers in: " + mfd + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nWindows: "), std::string::npos);
    EXPECT_NE(text.find("\r\nUsing  PGP V5.0\r\nInstalled in: C:\\PGP\\\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - std::string(PgpTrademarkNotice).size()),
              PgpTrademarkNotice);
    // The label sits outside the page.
    RECT label, page;
    GetWindowRect(p.VersionLabel1().Handle(), &label);
    GetWindowRect(GetParent(p.VersionLabel1().Handle()), &page);
    EXPECT_GE(label.left, page.right);

    p.ShowPropsWindow();
    ChooseTab(p, AboutPage);
    const HWND about = Control(p, IDC_TXTABOUT);
    EXPECT_TRUE(GetWindowLongA(about, GWL_STYLE) & ES_READONLY);
    Mouse(about, WM_LBUTTONDOWN, {5, 5}, MK_LBUTTON);
    Mouse(about, WM_LBUTTONUP, {5, 5});
    DWORD start = 1, end = 0;
    SendMessageA(about, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, text.size());
}

TEST_F(PropsTest, RunButtonsTrayClickAndDirectAccess) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, RoutinePage);
    Click(p, IDC_BTNRUNROUTINE);
    ChooseTab(p, SpecialPage);
    Click(p, IDC_BTNRUN);
    EXPECT_EQ(runs, (std::vector<bool>{true, false}));
    const std::string log = ReadFile(dir.file("DebugLog.Txt"));
    EXPECT_LT(log.find("MainPGP-T"), log.find("MainPGP-F"));

    // A tray click during a tray-started run does nothing; the flag clears after a failure.
    runs.clear();
    duringRun = [&] {
        EXPECT_TRUE(TrayClickBusy);
        p.TaskIcon1().OnClick(p.TaskIcon1());
    };
    p.TaskIcon1().OnClick(p.TaskIcon1());
    EXPECT_EQ(runs, (std::vector<bool>{true}));
    EXPECT_FALSE(TrayClickBusy);
    duringRun = [] { throw std::runtime_error("driver gone"); };
    p.TaskIcon1().OnClick(p.TaskIcon1());
    EXPECT_FALSE(TrayClickBusy);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_NE(boxes.asked()[0].text.find("UH driver gone"), std::string::npos);
    duringRun = nullptr;

    // The tray's right click brings the hidden window back.
    p.HidePropsWindow();
    p.TaskIcon1().OnRightClick(p.TaskIcon1(), MouseButton::Right, 0, 0, 0);
    EXPECT_TRUE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(p.TaskIcon1().ToolTip(), "Wextor 5");

    ChooseTab(p, SpecialPage);
    EXPECT_FALSE(IsWindowVisible(Control(p, IDC_BTNTOOLS)));
    p.ShowToolsButton(true);
    EXPECT_TRUE(IsWindowVisible(Control(p, IDC_BTNTOOLS)));
    FakePgp pgp;
    PgpPlatform* const systemPgp = SetPgpPlatform(&pgp);
    PgpMainExe = "C:\\PGP\\PGP50.exe";
    EXPECT_EQ(PgpSearchAnchor, p.Handle());
    Click(p, IDC_BTNPGPKEYS);
    Click(p, IDC_BTNPAPTRAY);
    pgp.tray = p.Handle(); // PGPtray's window is there now
    Click(p, IDC_BTNPAPTRAY);
    Click(p, IDC_BTNTOOLS);
    Click(p, IDC_BUTTON1);
    Click(p, IDC_BTNPGPHELP);
    SetPgpPlatform(systemPgp);
    EXPECT_EQ(pgp.started, (Texts{"C:\\PGP\\PGPKeys.Exe", "C:\\PGP\\PGPTray.Exe"}));
    EXPECT_EQ(pgp.commands, (std::vector<unsigned>{40019, 40012}));
    EXPECT_EQ(pgp.helpFiles, (Texts{"C:\\PGP\\PGP50.Hlp"}));
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[1].text, "PGPTray is already running");
    EXPECT_EQ(boxes.asked()[1].buttons, static_cast<unsigned>(mbOK));

    // PGP's result in the hidden receiver goes to the result return, once per change.
    p.SetClipboardReceiverText("-----BEGIN PGP MESSAGE-----\r\nx\r\n");
    p.SetClipboardReceiverText("-----BEGIN PGP MESSAGE-----\r\nx\r\n");
    p.SetClipboardReceiverText("");
    EXPECT_EQ(receiverTexts, (Texts{"-----BEGIN PGP MESSAGE-----\r\nx\r\n", ""}));
    SendMessageA(p.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(timerTicks, 1);
}

TEST_F(PropsTest, TrayClickRunsTheProcessingRun) {
    TfrmProps& p = Open({}, true);
    p.ShowPropsWindow();
    p.TaskIcon1().OnClick(p.TaskIcon1());
    // The run hid the window and, with no active mailer, found none running.
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text.rfind("No mailers in the Wextor 5 \"Active\" list", 0), 0u);
    EXPECT_FALSE(TrayClickBusy);
    const std::string log = ReadFile(dir.file("DebugLog.Txt"));
    EXPECT_NE(log.find("MainPGP-T"), std::string::npos);
}

TEST_F(PropsTest, CloseRequestsUnloadAndMinimise) {
    TfrmProps& p = Open({"Notepad"});
    p.ShowPropsWindow();
    ChooseTab(p, RoutinePage);
    CheckRadioButton(GetParent(Control(p, IDC_OPTPROCESSING_SIGN)), IDC_OPTPROCESSING_ENCRYPT,
                     IDC_OPTPROCESSING_BOTH, IDC_OPTPROCESSING_SIGN);

    // Shown: the close box acts as Cancel and is refused.
    SendMessageA(p.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quits, 0);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    EXPECT_EQ(p.RoutineModeIndex(), 0);
    EXPECT_EQ(StepCode, 4411);
    // Hidden: granted, which is how Windows ending the session ends the program.
    EXPECT_EQ(SendMessageA(p.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(StepCode, 91010);
    SendMessageA(p.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quits, 1);
    p.ShowPropsWindow();
    EXPECT_EQ(SendMessageA(p.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));

    // Minimised, the window hides; the tray brings it back whole.
    p.ShowPropsWindow();
    ShowWindow(p.Handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    p.ShowPropsWindow();
    EXPECT_TRUE(IsWindowVisible(p.Handle()));
    EXPECT_FALSE(IsIconic(p.Handle()));

    Click(p, IDC_BTNUNLOAD);
    EXPECT_EQ(StepCode, 99999);
    EXPECT_EQ(quits, 2);
    EXPECT_FALSE(FileExists(dir.file("ActiveMailers.dat"))) << "Unload saves nothing";

    // Without a quit hook the message loop is told to end.
    props.reset();
    EXPECT_EQ(StepCode, 90030);
    TfrmProps plain({}, kIni);
    SendMessageA(Control(plain, IDC_BTNUNLOAD), BM_CLICK, 0, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(PropsTest, CtrlAltAAsksAboutSuperDebug) {
    TfrmProps& p = Open({"Notepad"});
    boxes.Queue(mrNo);
    p.FormKeyDown('A', true, true);
    EXPECT_FALSE(SuperDebug);
    boxes.Queue(mrYes);
    p.FormKeyDown('a', true, true);
    EXPECT_TRUE(SuperDebug);
    p.FormKeyDown('A', true, false);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[0].text, "Super debug status is: OFF. Change?");
    EXPECT_EQ(boxes.asked()[0].buttons, static_cast<unsigned>(mbYes | mbNo));
    EXPECT_EQ(boxes.asked()[1].text, "Super debug status is: OFF. Change?");

    // The real keys, through the message loop's filter, with the focus on a control.
    p.ShowPropsWindow();
    ChooseTab(p, RoutinePage);
    SetFocus(Control(p, IDC_TXTMAILINGLISTADDRESS));
    ASSERT_TRUE(PumpUntil(p, [&] { return GetForegroundWindow() == p.Handle(); }));
    boxes.Queue(mrYes);
    INPUT keys[6] = {};
    const WORD vks[3] = {VK_CONTROL, VK_MENU, 'A'};
    for (int i = 0; i < 3; ++i) {
        keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = keys[5 - i].ki.wVk = vks[i];
        keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(6, keys, sizeof(INPUT)), 6u);
    EXPECT_TRUE(PumpUntil(p, [&] { return boxes.asked().size() == 3; }));
    ASSERT_EQ(boxes.asked().size(), 3u);
    EXPECT_EQ(boxes.asked()[2].text, "Super debug status is: ON. Change?");
    EXPECT_FALSE(SuperDebug);

    // F1 on a control asks for its help.
    SetFocus(Control(p, IDC_LSTMAILINGLISTADDRESS));
    INPUT f1[2] = {};
    f1[0].type = f1[1].type = INPUT_KEYBOARD;
    f1[0].ki.wVk = f1[1].ki.wVk = VK_F1;
    f1[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, f1, sizeof(INPUT)), 2u);
    EXPECT_TRUE(PumpUntil(p, [&] { return !helps.empty(); }));
    ASSERT_EQ(helps.size(), 1u);
    EXPECT_EQ(helps[0], std::make_pair(9102u, true));
}
