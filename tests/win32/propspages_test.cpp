// The properties window as a shell of pages: every row of its command table reaches its
// handler from the page the control lies on, and every page places its controls inside itself
// without covering one another.
#include "app/global.h"
#include "app/props_win.h"
#include "drivers/MFDDirectory.h"
#include "res/resource.h"
#include "wintest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace wintest;

namespace {

BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

// Every window below the form: its own controls, the pages and the pages' controls.
std::vector<HWND> Descendants(HWND form) {
    std::vector<HWND> all;
    EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND Control(const TfrmProps& props, int id) {
    for (HWND w : Descendants(props.Handle()))
        if (GetDlgCtrlID(w) == id && ClassOf(w) != "#32770")
            return w;
    return nullptr;
}

// The control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void Command(HWND control, int code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

class PropsPages : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        MfdDirectory = dir.path().substr(0, dir.path().size() - 1);
        WriteFile(dir.file("DEMOMFD.EXE"), "");
        WriteFile(dir.file("SELECTG.DAT"), "Demo Mail!!DEMOMFD.EXE\r\nOther!!DEMOMFD.EXE\r\n");
        RecentPage = 2;
        StepCode = 0;
        PropsActions a;
        a.runMainPgp = [this](bool routine) { runs.push_back(routine); };
        a.showDriverDetails = [](const std::string&) {};
        a.clipboardReceiverChange = [this] { ++receiverChanges; };
        a.timer1Timer = [] {};
        a.showTipOfTheDay = [this] { ++tipsShown; };
        a.showHelp = [this](unsigned context, bool) { helps.push_back(context); };
        a.quit = [this] { ++quits; };
        props = std::make_unique<TfrmProps>(a, dir.file("Wextor5.INI"));
        props->FillMailerLists({MailerEntry("Demo Mail", "DEMOMFD.EXE")});
        props->LoadSettings();
        props->RefreshControls();
        props->HidePropsWindow();
        PumpMessages();
    }
    void TearDown() override { props.reset(); }

    TempDir dir{"pages"};
    BoxAnswerer boxes;
    std::unique_ptr<TfrmProps> props;
    std::vector<bool> runs;
    std::vector<unsigned> helps;
    int receiverChanges = 0, tipsShown = 0, quits = 0;
};
} // namespace

TEST_F(PropsPages, EveryRowNamesAControlOnceAndEveryButtonHasARow) {
    std::set<std::pair<int, int>> seen;
    for (const CommandRoute& route : props->Commands()) {
        EXPECT_NE(Control(*props, route.id), nullptr) << route.id;
        EXPECT_TRUE(seen.insert({route.id, route.code}).second) << "twice: " << route.id;
        EXPECT_TRUE(route.handler) << route.id;
    }
    // A push button or a notifying list without a row would do nothing when used.
    const auto answers = [&](int id, int code) {
        return seen.count({id, code}) || seen.count({id, AnyNotification});
    };
    int buttons = 0;
    for (HWND w : Descendants(props->Handle())) {
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        const int id = GetDlgCtrlID(w);
        const std::string cls = ClassOf(w);
        const LONG type = style & BS_TYPEMASK;
        if (cls == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            ++buttons;
            EXPECT_TRUE(answers(id, BN_CLICKED)) << "button " << id;
        } else if (cls == "ListBox" && (style & LBS_NOTIFY)) {
            EXPECT_TRUE(answers(id, LBN_SELCHANGE)) << "list " << id;
        }
    }
    EXPECT_EQ(buttons, 14); // 4 of the form, 3 + 6 + 1 of the pages
}

TEST_F(PropsPages, CommandsReachTheirHandlersFromThePageTheyLieOn) {
    props->ShowPropsWindow();
    struct Case {
        int id;
        int code;
        std::function<bool()> reached;
    };
    const Case cases[] = {
        {IDC_BTNRUNROUTINE, BN_CLICKED, [&] { return runs == std::vector<bool>{true}; }},
        {IDC_BTNRUN, BN_CLICKED,
         [&] {
             return runs == std::vector<bool>{true, false};
         }},
        {IDC_BTNNOW, BN_CLICKED, [&] { return tipsShown == 1; }},
        {IDC_BTNHELP, BN_CLICKED, [&] { return helps.size() == 1; }},
        {IDC_TXTCLIPBOARDRECEIVER, EN_CHANGE, [&] { return receiverChanges == 1; }},
        {IDC_LSTLIBRARY, LBN_DBLCLK, [&] { return props->lstActive().Count() == 2; }},
        {IDC_LSTACTIVE, LBN_DBLCLK, [&] { return props->lstActive().Empty(); }},
        {IDC_BTNUNLOAD, BN_CLICKED, [&] { return quits == 1 && StepCode == 99999; }},
        {IDOK, BN_CLICKED, [&] { return StepCode == 2345; }},
        // Esc comes as IDCANCEL with whatever code the dialog manager gives.
        {IDCANCEL, 1, [&] { return StepCode == 4411; }},
    };
    for (const Case& c : cases) {
        const HWND control = Control(*props, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        if (c.code == LBN_DBLCLK)
            SendMessageA(control, LB_SETCURSEL, 0, 0);
        Command(control, c.code);
        EXPECT_TRUE(c.reached()) << c.id;
    }
}

TEST_F(PropsPages, OtherNotificationsReachNoHandler) {
    const std::pair<int, int> cases[] = {
        {IDC_BTNRUNROUTINE, BN_SETFOCUS},
        {IDC_BTNRUN, BN_KILLFOCUS},
        {IDC_BTNUNLOAD, BN_DBLCLK},
        {IDC_TXTCLIPBOARDRECEIVER, EN_SETFOCUS},
        {IDC_TXTCLIPBOARDRECEIVER, EN_UPDATE},
        {IDC_LSTLIBRARY, LBN_SETFOCUS},
        {IDC_BTNNOW, BN_PUSHED},
        {IDC_PAGECONTROL1, BN_CLICKED},
    };
    for (const auto& c : cases)
        Command(Control(*props, c.first), c.second);
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(receiverChanges, 0);
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(tipsShown, 0);
    EXPECT_EQ(props->lstActive().Count(), 1);
}

TEST_F(PropsPages, EscEndsADragAndLeavesTheWindowOpen) {
    props->ShowPropsWindow();
    props->SelectPage(MailerChoicePage);
    const HWND library = Control(*props, IDC_LSTLIBRARY);
    RECT entry = {};
    SendMessageA(library, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&entry));
    SendMessageA(library, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(entry.left + 2, entry.top + 2));
    ASSERT_EQ(GetCapture(), library);
    StepCode = 0;
    MSG esc = {};
    esc.hwnd = library;
    esc.message = WM_KEYDOWN;
    esc.wParam = VK_ESCAPE;
    EXPECT_TRUE(props->PreTranslateMessage(esc));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(IsWindowVisible(props->Handle()));
    EXPECT_EQ(StepCode, 0) << "not taken as Cancel";
    SendMessageA(library, WM_LBUTTONUP, 0, MAKELPARAM(entry.left + 2, entry.top + 2));
    EXPECT_EQ(props->lstActive().Count(), 1);
    props->HidePropsWindow();
}

TEST_F(PropsPages, EachPagePlacesItsControlsInsideWithoutCoveringOthers) {
    // Where controls may cover one another: a group box and what it frames, and the notice
    // that lies over the empty active list.
    const std::set<std::pair<int, int>> framed = {
        {IDC_OPTPROCESSING, IDC_OPTPROCESSING_ENCRYPT},
        {IDC_OPTPROCESSING, IDC_OPTPROCESSING_SIGN},
        {IDC_OPTPROCESSING, IDC_OPTPROCESSING_BOTH},
        {IDC_GROUPBOX1, IDC_STATICTEXT1},
        {IDC_GROUPBOX1, IDC_TXTMAILINGLISTADDRESS},
        {IDC_GROUPBOX1, IDC_BTNMAILINGLISTADDRESSADD},
        {IDC_GROUPBOX1, IDC_STATICTEXT2},
        {IDC_GROUPBOX1, IDC_LSTMAILINGLISTADDRESS},
        {IDC_GROUPBOX1, IDC_BTNMAILINGLISTADDRESSREMOVE},
        {IDC_OPTOUTWARD, IDC_OPTOUTWARD_ENCRYPT},
        {IDC_OPTOUTWARD, IDC_OPTOUTWARD_SIGN},
        {IDC_OPTOUTWARD, IDC_OPTOUTWARD_BOTH},
        {IDC_GROUPBOX6, IDC_BTNPGPKEYS},
        {IDC_GROUPBOX6, IDC_BTNPAPTRAY},
        {IDC_GROUPBOX6, IDC_BTNTOOLS},
        {IDC_GROUPBOX6, IDC_BUTTON1},
        {IDC_GROUPBOX6, IDC_BTNPGPHELP},
        {IDC_LSTACTIVE, IDC_LBLNOMAILERS},
        {IDC_GROUPBOX5, IDC_CHKSHOWTIPS},
        {IDC_GROUPBOX5, IDC_BTNNOW},
    };
    std::vector<HWND> pages;
    std::vector<HWND> controls;
    for (HWND w : Descendants(props->Handle()))
        if (ClassOf(w) == "#32770")
            pages.push_back(w);
    // The form's and the pages' own controls, not the parts of the tab control.
    for (HWND w : Descendants(props->Handle()))
        if (GetParent(w) == props->Handle() ||
            std::find(pages.begin(), pages.end(), GetParent(w)) != pages.end())
            if (ClassOf(w) != "#32770")
                controls.push_back(w);
    ASSERT_EQ(pages.size(), 5u);

    std::set<std::pair<int, int>> covering;
    int placed = 0;
    for (HWND c : controls) {
        const int id = GetDlgCtrlID(c);
        if (id == IDC_TXTCLIPBOARDRECEIVER || id == IDC_VERSIONLABEL1)
            continue; // never seen
        RECT parent, at = PlaceOf(c);
        GetClientRect(GetParent(c), &parent);
        EXPECT_GT(at.right - at.left, 0) << id;
        EXPECT_GT(at.bottom - at.top, 0) << id;
        EXPECT_TRUE(Inside(at, parent)) << id;
        ++placed;
        for (HWND other : controls) {
            if (other == c || GetParent(other) != GetParent(c) || GetDlgCtrlID(other) < id)
                continue;
            const RECT there = PlaceOf(other);
            if (!Overlap(at, there) || GetDlgCtrlID(other) == IDC_VERSIONLABEL1)
                continue;
            covering.insert({id, GetDlgCtrlID(other)});
            if (framed.count({id, GetDlgCtrlID(other)})) {
                EXPECT_TRUE(Inside(there, at)) << id << " frames " << GetDlgCtrlID(other);
            }
        }
    }
    EXPECT_EQ(placed, 44);
    EXPECT_EQ(covering, framed);

    // The version label is the one control put out of sight, right of its page.
    const HWND label = Control(*props, IDC_VERSIONLABEL1);
    RECT page;
    GetClientRect(GetParent(label), &page);
    EXPECT_GE(PlaceOf(label).left, page.right);
}
