#include "app/TaskIcon_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace wintest;

// The shell's first-version record: 88 bytes on 32-bit Windows, 104 on 64-bit.
constexpr unsigned kFirstRecordSize = sizeof(void*) == 8 ? 104u : 88u;

namespace {
struct ShellCall {
    DWORD command;
    NOTIFYICONDATAA data;
};

// Stands in for the shell: keeps every call and answers from refuse.
class TaskIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = TTaskIcon::ShellNotify;
        TTaskIcon::ShellNotify = [this](DWORD command, NOTIFYICONDATAA* data) {
            calls.push_back({command, *data});
            return refuse ? FALSE : TRUE;
        };
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        TTaskIcon::ShellNotify = saved;
        if (IsWindow(owner))
            DestroyWindow(owner);
    }
    std::size_t Count(DWORD command) const {
        std::size_t n = 0;
        for (const ShellCall& c : calls)
            n += c.command == command;
        return n;
    }
    static void Notify(TTaskIcon& icon, WPARAM id, LPARAM mouse) {
        SendMessageA(icon.Handle(), WM_USER, id, mouse);
    }

    TTaskIcon::ShellNotifyHook saved;
    std::vector<ShellCall> calls;
    bool refuse = false;
    HWND owner = nullptr;
};
} // namespace

TEST_F(TaskIconTest, AddsOnceWithTheFirstVersionRecord) {
    TTaskIcon icon(owner);
    EXPECT_FALSE(icon.Active());
    EXPECT_EQ(icon.Icon(), nullptr);
    icon.SetActive(false);
    EXPECT_TRUE(calls.empty());
    icon.SetToolTip("Wextor 5");
    icon.SetActive(true);
    icon.SetActive(true);
    ASSERT_EQ(calls.size(), 1u);
    const NOTIFYICONDATAA& d = calls[0].data;
    EXPECT_EQ(calls[0].command, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(d.cbSize, kFirstRecordSize);
    EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(d.hWnd, icon.Handle());
    EXPECT_EQ(d.uID, 0u);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(d.uCallbackMessage, static_cast<UINT>(WM_USER));
    EXPECT_STREQ(d.szTip, "Wextor 5");
    EXPECT_TRUE(icon.Active());
}

TEST_F(TaskIconTest, TheNotifiedWindowIsHiddenAndOwned) {
    TTaskIcon icon(owner);
    const HWND w = icon.Handle();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetWindow(w, GW_OWNER), owner);
    EXPECT_EQ(GetAncestor(w, GA_PARENT), GetDesktopWindow()) << "broadcasts reach only top level";
    EXPECT_EQ(icon.Handle(), w);
    TTaskIcon free(nullptr);
    EXPECT_NE(free.Handle(), nullptr);
    EXPECT_EQ(GetWindow(free.Handle(), GW_OWNER), nullptr);
}

TEST_F(TaskIconTest, LongTipIsCutTo64AndTheShellGets63) {
    TTaskIcon icon(owner);
    const std::string tip(70, 'T');
    icon.SetToolTip(tip);
    EXPECT_EQ(icon.ToolTip(), tip.substr(0, 64));
    icon.SetActive(true);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::string(calls[0].data.szTip), tip.substr(0, 63));
    icon.SetToolTip(tip + "more"); // the same once cut
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(TaskIconTest, RefusedAddKeepsItInactive) {
    TTaskIcon icon(owner);
    refuse = true;
    icon.SetActive(true);
    EXPECT_FALSE(icon.Active());
    refuse = false;
    icon.SetActive(true);
    EXPECT_TRUE(icon.Active());
    refuse = true;
    icon.SetActive(false);
    EXPECT_TRUE(icon.Active());
    refuse = false;
}

TEST_F(TaskIconTest, NotificationsBecomeEvents) {
    TTaskIcon icon(owner);
    icon.SetTaskIconID(4);
    std::vector<std::string> events;
    icon.OnClick = [&](TTaskIcon& s) { events.push_back(&s == &icon ? "click" : "click?"); };
    icon.OnDblClick = [&](TTaskIcon&) { events.push_back("double"); };
    icon.OnRightClick = [&](TTaskIcon&, MouseButton b, ShiftState shift, int x, int y) {
        events.push_back("right " + std::to_string(b == MouseButton::Right) + " " +
                         std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    ASSERT_TRUE(SetCursorPos(123, 45));
    POINT p = {};
    ASSERT_TRUE(PollUntil([&] { return GetCursorPos(&p) && p.x == 123 && p.y == 45; }, 5000));

    struct Case {
        WPARAM id;
        std::vector<LPARAM> mouse;
        std::vector<std::string> events;
    } cases[] = {
        {4, {WM_LBUTTONUP}, {"click"}},
        {4,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {"click", "double", "click"}},
        {4, {WM_RBUTTONDOWN, WM_RBUTTONUP}, {"right 1 0 123,45"}},
        {5, {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}, {}}, // another icon's
        {4, {WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK}, {}},
    };
    for (const Case& c : cases) {
        events.clear();
        for (LPARAM m : c.mouse)
            Notify(icon, c.id, m);
        EXPECT_EQ(events, c.events) << "id " << c.id << ", first " << std::hex << c.mouse[0];
    }

    icon.OnClick = nullptr;
    icon.OnRightClick = nullptr;
    events.clear();
    Notify(icon, 4, WM_LBUTTONUP);
    Notify(icon, 4, WM_RBUTTONUP);
    EXPECT_TRUE(events.empty());
}

TEST_F(TaskIconTest, IconIsAnOwnedCopy) {
    TTaskIcon icon(owner);
    icon.SetActive(true);
    icon.SetIcon(nullptr); // empty stays empty
    EXPECT_EQ(calls.size(), 1u);
    HICON source = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    ASSERT_NE(source, nullptr);
    icon.SetIcon(source);
    const HICON copy = icon.Icon();
    EXPECT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(calls[1].data.hIcon, copy);
    DestroyIcon(source);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.Icon(), &info)) << "the copy went with the source";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    icon.SetIcon(icon.Icon());
    EXPECT_EQ(calls.size(), 2u) << "the same icon object is no change";
    EXPECT_EQ(icon.Icon(), copy);
}

TEST_F(TaskIconTest, IdChangeUpdatesButRemovalUsesTheAddedId) {
    {
        TTaskIcon icon(owner);
        icon.SetTaskIconID(1);
        icon.SetActive(true);
        icon.SetTaskIconID(9);
        refuse = true; // a refused update changes nothing
        icon.SetToolTip("x");
        refuse = false;
        EXPECT_TRUE(icon.Active());
    } // destroying an active icon removes it
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(calls[1].data.uID, 9u);
    EXPECT_EQ(calls[3].command, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls[3].data.uID, 1u);
    EXPECT_EQ(calls[3].data.cbSize, kFirstRecordSize);
}

TEST_F(TaskIconTest, DestroyingAnInactiveIconSendsNothing) {
    { TTaskIcon icon(owner); }
    EXPECT_TRUE(calls.empty());
}

TEST_F(TaskIconTest, TheIconGoesWithItsOwnerWindow) {
    TTaskIcon icon(owner);
    icon.SetActive(true);
    const HWND w = icon.Handle();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(icon.Active());
    ASSERT_EQ(Count(NIM_DELETE), 1u);
    EXPECT_EQ(calls.back().data.hWnd, w);
}

TEST_F(TaskIconTest, TaskbarCreatedAddsAnActiveIconAgain) {
    TTaskIcon icon(owner);
    const UINT taskbarCreated = TTaskIcon::TaskbarCreatedMessage();
    ASSERT_NE(taskbarCreated, 0u);
    EXPECT_EQ(taskbarCreated, RegisterWindowMessageA("TaskbarCreated"));
    SendMessageA(icon.Handle(), taskbarCreated, 0, 0);
    EXPECT_TRUE(calls.empty()) << "an inactive icon came back";

    icon.SetToolTip("Wextor 5");
    icon.SetActive(true);
    calls.clear();
    SendMessageA(icon.Handle(), taskbarCreated, 0, 0);
    ASSERT_EQ(Count(NIM_ADD), 1u);
    EXPECT_STREQ(calls.back().data.szTip, "Wextor 5");
    EXPECT_TRUE(icon.Active());

    // As the shell sends it: broadcast to the top-level windows.
    calls.clear();
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(PollUntil([&] { return Count(NIM_ADD) == 1; }, 10000));
}

// The real shell: Wine's tray shows the icon.
TEST(TaskIconShell, RealShellShowsAndRemovesTheIcon) {
    EXPECT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr);
    TTaskIcon icon(nullptr);
    icon.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
    icon.SetToolTip("Wextor 5 test");
    icon.SetTaskIconID(77);
    icon.SetActive(true);
    ASSERT_TRUE(icon.Active());
    icon.SetToolTip("Wextor 5 test, changed");

    SendMessageA(icon.Handle(), TTaskIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(icon.Active()) << "the shell refused the icon again";

    // Probing with a modify: the shell knows only an icon that is there.
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = icon.Handle();
    probe.uID = 77;
    probe.uFlags = NIF_TIP;
    strcpy(probe.szTip, "probe");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe));
    icon.SetActive(false);
    EXPECT_FALSE(icon.Active());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "still in the tray";
}

// Started by the tray-click scenario in tests/e2e: adds an icon, reports when it is up and
// whether a real click arrived, in files of the current folder.
TEST(TrayClickProbe, DISABLED_WaitsForAClick) {
    TTaskIcon icon(nullptr);
    icon.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
    icon.SetToolTip("Wextor 5 probe");
    icon.SetTaskIconID(5);
    bool clicked = false;
    icon.OnClick = [&](TTaskIcon&) {
        clicked = true;
        WriteFile("clicked", "click\n");
    };
    icon.SetActive(true);
    ASSERT_TRUE(icon.Active());
    WriteFile("ready", "ready\n");
    // Wine's tray lives in the desktop process; when that one was just ending, a new one
    // starts without our icon and, unlike Windows' Explorer, says nothing. Playing the
    // shell's restart message brings the icon back the way it would on Windows.
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = icon.Handle();
    probe.uID = 5;
    int readded = 0;
    DWORD lastCheck = GetTickCount();
    EXPECT_TRUE(PollUntil(
        [&] {
            if (!clicked && GetTickCount() - lastCheck > 500) {
                lastCheck = GetTickCount();
                if (!Shell_NotifyIconA(NIM_MODIFY, &probe)) {
                    SendMessageA(icon.Handle(), TTaskIcon::TaskbarCreatedMessage(), 0, 0);
                    ++readded;
                }
            }
            return clicked;
        },
        60000));
    std::printf("icon added again %d times\n", readded);
}
