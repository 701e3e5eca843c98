#include "common/handles_win.h"
#include "winctl/winop_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wintest;

// Every window here gets a class or title of its own, because Wine's desktop windows are
// walked too.
namespace {
const std::string depthText =
    "Too many/Too complex windows currently open. Try closing some Applications";

void Register(const std::string& name) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name.c_str();
    RegisterClassA(&wc); // a second registration of the same name fails harmlessly
}

HWND Make(const std::string& cls, const std::string& title, HWND parent = nullptr,
          DWORD style = WS_OVERLAPPED) {
    Register(cls);
    const DWORD kind = (style & WS_POPUP) || !parent ? style : style | WS_CHILD;
    return CreateWindowExA(0, cls.c_str(), title.c_str(), kind, 0, 0, 50, 50, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A top-level window that owns its window tree.
UniqueWindow Top(const std::string& cls, const std::string& title) {
    return UniqueWindow(Make(cls, title));
}

void ToTop(HWND w) {
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

WINDOW OwnClass(const std::string& cls) {
    WINDOW c;
    ClearCriteria(c);
    c.OwnClass.Exact = cls;
    return c;
}

WINDOW OwnTitlePart(const std::string& part) {
    WINDOW c;
    ClearCriteria(c);
    c.OwnTitle.Partial = part;
    return c;
}

// Child under child under ... levels deep below top; returns them, level 1 first.
std::vector<HWND> Chain(HWND top, int levels, const std::string& prefix) {
    std::vector<HWND> chain;
    HWND parent = top;
    for (int level = 1; level <= levels; ++level)
        chain.push_back(parent = Make(prefix + std::to_string(level), "", parent));
    return chain;
}

class WinOpSearch : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(anchor); }
    UniqueWindow anchor = Top("WinopAnchor", "Winop test anchor");
    WindowHandle Search(const WINDOW& c) { return SearchWindows(c, anchor.get()); }
};
} // namespace

TEST_F(WinOpSearch, TopLevelWindowsInZOrder) {
    UniqueWindow a = Top("WinopZ", "Winop Z a"), b = Top("WinopZ", "Winop Z b");
    ToTop(a.get());
    EXPECT_EQ(Search(OwnClass("WinopZ")), a.get());
    ToTop(b.get());
    EXPECT_EQ(Search(OwnClass("WinopZ")), b.get());
    EXPECT_EQ(Search(OwnClass("WinopZ-none")), nullptr);
}

TEST_F(WinOpSearch, DepthFirstFirstMatchWins) {
    // upper: child1 (grandchild), child2; lower: all matching "Winop DF".
    UniqueWindow lower = Top("WinopDFLower", "Winop DF lower");
    UniqueWindow upper = Top("WinopDFUpper", "Winop DF upper");
    const HWND child1 = Make("WinopDFChild1", "Winop DF child 1", upper.get());
    const HWND grandchild = Make("WinopDFGrand", "Winop DF grandchild", child1);
    const HWND child2 = Make("WinopDFChild2", "Winop DF child 2", upper.get());
    ToTop(lower.get());
    ToTop(upper.get());
    SetWindowPos(child2, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(child1, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    EXPECT_EQ(Search(OwnTitlePart("Winop DF")), upper.get()) << "top-level before its child";
    EXPECT_EQ(Search(OwnTitlePart("Winop DF c")), child1) << "siblings in Z order";
    EXPECT_EQ(Search(OwnTitlePart("Winop DF grandchild")), grandchild);
    // A child of a higher top-level window comes before a lower top-level window.
    SetWindowTextA(lower.get(), "Winop DF child lower");
    EXPECT_EQ(Search(OwnTitlePart("Winop DF child")), child1);
    ToTop(lower.get());
    EXPECT_EQ(Search(OwnTitlePart("Winop DF child")), lower.get());
    ToTop(upper.get());
    SetWindowPos(child2, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Search(OwnTitlePart("Winop DF c")), child2);
}

TEST_F(WinOpSearch, RelativesCriteria) {
    UniqueWindow owner = Top("WinopOwnerClass", "Winop Owner 4711");
    const HWND popup = Make("WinopPopup", "Winop popup", owner.get(), WS_POPUP);
    UniqueWindow frame = Top("WinopFrame", "Winop Frame 4712");
    const HWND pane = Make("WinopPane", "pane", frame.get());
    const HWND edit = Make("WinopEdit", "Winop body", pane);
    ASSERT_EQ(GetParent(popup), owner.get()) << "GetParent gives the owner of a pop-up";

    struct Case {
        const char* name;
        WINDOW criteria;
        HWND expected;
    } cases[] = {
        {"owner's title", {{}, {"WinopPopup", ""}, {{"Winop Owner 4711", ""}, {}, {}}}, popup},
        {"owner's title wrong", {{}, {"WinopPopup", ""}, {{"Winop Owner", ""}, {}, {}}}, nullptr},
        {"owner's class", {{}, {"WinopPopup", ""}, {{}, {"WinopOwnerClass", ""}, {}}}, popup},
        {"grandparent class", {{"Winop body", ""}, {}, {{}, {}, {{}, {"WinopFrame", ""}}}}, edit},
        {"grandparent class case",
         {{"Winop body", ""}, {}, {{}, {}, {{}, {"winopframe", ""}}}},
         nullptr},
        {"grandparent title", {{}, {"WinopEdit", ""}, {{}, {}, {{"", "4712"}, {}}}}, edit},
        {"parent and grandparent",
         {{}, {}, {{"pane", ""}, {"WinopPane", ""}, {{}, {"WinopFrame", ""}}}},
         edit},
        // The owner has no parent: a parent criterion can not be met by it.
        {"no parent", {{"Winop Owner 4711", ""}, {}, {{}, {"", "W"}, {}}}, nullptr},
        {"no grandparent", {{"Winop popup", ""}, {}, {{}, {}, {{}, {"", "W"}}}}, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.criteria), c.expected) << c.name;
}

TEST_F(WinOpSearch, ClassNamesCompareLetterCase) {
    UniqueWindow small = Top("winopcase_hidden_window", "");
    EXPECT_EQ(Search(OwnClass("WinopCase_Hidden_Window")), nullptr);
    EXPECT_EQ(Search(OwnClass("winopcase_hidden_window")), small.get());
}

TEST_F(WinOpSearch, DeepNestingComplainsPerWindowBelowLevelEight) {
    struct Case {
        int levels;
        std::size_t boxes;
    } cases[] = {{7, 0}, {8, 0}, {9, 1}, {10, 2}, {12, 4}};
    for (const Case& c : cases) {
        const std::string prefix = "WinopDeep" + std::to_string(c.levels) + "_";
        UniqueWindow top = Top(prefix + "top", "");
        const std::vector<HWND> chain = Chain(top.get(), c.levels, prefix);
        BoxAnswerer boxes;
        EXPECT_EQ(Search(OwnClass(prefix + std::to_string(c.levels))), chain.back());
        ASSERT_EQ(boxes.asked().size(), c.boxes) << c.levels << " levels";
        for (const MsgBoxRequest& box : boxes.asked()) {
            EXPECT_EQ(box.text, depthText);
            EXPECT_EQ(box.buttons, static_cast<unsigned>(mbAbort));
            EXPECT_EQ(box.icon, MsgIcon::Error);
        }
    }
}

TEST_F(WinOpSearch, WalkGoesOnAfterTheComplaint) {
    UniqueWindow top = Top("WinopGoOn_top", "");
    const std::vector<HWND> chain = Chain(top.get(), 10, "WinopGoOn_");
    // A sibling of the ninth window, after it in Z order, is the only match.
    const HWND late = Make("WinopGoOn_late", "", chain[7]);
    SetWindowPos(late, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BoxAnswerer boxes;
    EXPECT_EQ(Search(OwnClass("WinopGoOn_late")), late);
    EXPECT_EQ(boxes.asked().size(), 3u); // levels 10 and 9 of the chain, then late itself
}

TEST_F(WinOpSearch, WindowsClosedDuringTheWalkDoNotEndIt) {
    UniqueWindow after = Top("WinopAfterGone", "");
    UniqueWindow gone = Top("WinopGone_top", "");
    ToTop(after.get());
    ToTop(gone.get());
    Chain(gone.get(), 9, "WinopGone_");
    int boxes = 0;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest&) {
        ++boxes;
        gone.reset(); // the whole tree goes while the box is up
        return static_cast<int>(mrAbort);
    });
    EXPECT_EQ(Search(OwnClass("WinopAfterGone")), after.get());
    SetMsgBoxHandler(previous);
    EXPECT_EQ(boxes, 1);
}

TEST_F(WinOpSearch, AtMost99CharactersTakePart) {
    const std::string title = "Winop long " + std::string(88, 't') + "TAIL-BEYOND-99";
    UniqueWindow top = Top("WinopLongTitle", title);
    const std::string seen = title.substr(0, 99);
    EXPECT_EQ(Search({{seen, ""}, {}, {}}), top.get());
    EXPECT_EQ(Search({{title, ""}, {}, {}}), nullptr);
    EXPECT_EQ(Search(OwnTitlePart("TAIL-BEYOND-99")), nullptr);
    EXPECT_EQ(FindWindowTitle("Winop long ", anchor.get()), seen);

    const std::string cls = "WinopLongClass" + std::string(100, 'c');
    UniqueWindow longClass = Top(cls, "");
    ASSERT_TRUE(longClass);
    EXPECT_EQ(Search(OwnClass(cls)), nullptr);
    EXPECT_EQ(Search(OwnClass(cls.substr(0, 99))), longClass.get());
}

TEST_F(WinOpSearch, FindWindowTitle) {
    UniqueWindow mailer = Top("WinopMailer", "Inbox - Winop Mail Client");
    Make("WinopMailerChild", "Winop Mail Child", mailer.get());
    EXPECT_EQ(FindWindowTitle("Winop Mail", anchor.get()), "Inbox - Winop Mail Client");
    EXPECT_EQ(FindWindowTitle("Winop Mail Child", anchor.get()), "Winop Mail Child");
    EXPECT_EQ(FindWindowTitle("winop mail", anchor.get()), "");
    EXPECT_EQ(FindWindowTitle("Winop Mail Client - Inbox", anchor.get()), "");

    // Empty text: the first top-level window, whose title may be empty.
    char first[101] = "";
    GetWindowTextA(GetTopWindow(nullptr), first, 100);
    EXPECT_EQ(FindWindowTitle("", anchor.get()), first);
}

TEST_F(WinOpSearch, AnyAnchorGivesTheWholeDesktop) {
    UniqueWindow target = Top("WinopAnchored", "");
    const HWND anchorChild = Make("WinopAnchorChild", "", anchor.get());
    ToTop(target.get());
    const WINDOW c = OwnClass("WinopAnchored");
    EXPECT_EQ(SearchWindows(c, anchor.get()), target.get());
    EXPECT_EQ(SearchWindows(c, anchorChild), target.get()) << "a child anchor";
    EXPECT_EQ(SearchWindows(c, nullptr), target.get()) << "no anchor";
}

namespace {
std::string boxButton;
BOOL CALLBACK PressAbort(HWND w, LPARAM) {
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770")
        return TRUE;
    char text[32] = "";
    GetDlgItemTextA(w, IDABORT, text, sizeof text);
    boxButton = text;
    PostMessageA(w, WM_COMMAND, IDABORT, reinterpret_cast<LPARAM>(GetDlgItem(w, IDABORT)));
    return FALSE;
}
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), PressAbort, 0);
}
} // namespace

TEST(WinOpBox, TheRealComplaintOffersAbort) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTick);
    EXPECT_TRUE(CheckWalkDepth(MaxWalkDepth + 1));
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxButton, "&Abort");
}
