// The wait for PGP's command: this program's windows keep working however long PGP takes, and a
// PGP window that dies ends the wait. PGP's window lives on a thread of its own here, as in a
// program of its own.
#include "processing/pgpcontrol_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace wintest;

namespace {

constexpr UINT kPing = WM_APP + 1;

// What PGP's window does with the command: how long it works is up to the test.
struct PgpSide {
    HWND ours = nullptr;     // the test's window, which must answer meanwhile
    HANDLE pinged = nullptr; // set when our window handled the ping
    HANDLE release = nullptr;
    bool dieWhileWorking = false;
    std::atomic<bool> working{false};
    std::atomic<bool> pingAnswered{false};
};
PgpSide* side = nullptr;

LRESULT CALLBACK PgpProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND)
        return DefWindowProcA(w, message, wParam, lParam);
    side->working = true;
    // A posted message reaches our window only if the wait dispatches messages.
    PostMessageA(side->ours, kPing, 0, 0);
    side->pingAnswered = WaitForSingleObject(side->pinged, 30000) == WAIT_OBJECT_0;
    if (side->dieWhileWorking) {
        DestroyWindow(w);
        WaitForSingleObject(side->release, 30000);
    }
    side->working = false;
    return 0;
}

LRESULT CALLBACK OurProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPing) {
        SetEvent(side->pinged);
        return 0;
    }
    return DefWindowProcA(w, message, wParam, lParam);
}

class PgpWait : public ::testing::Test {
  protected:
    void SetUp() override {
        side = &side_;
        side_.pinged = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        side_.release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        WNDCLASSA wc = {};
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpfnWndProc = OurProc;
        wc.lpszClassName = "PgpWaitOurs";
        RegisterClassA(&wc);
        wc.lpfnWndProc = PgpProc;
        wc.lpszClassName = "PgpWaitTray";
        RegisterClassA(&wc);
        side_.ours = CreateWindowExA(0, "PgpWaitOurs", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override {
        SetEvent(side_.release);
        if (pgp_.joinable()) {
            PostThreadMessageA(pgpThread_, WM_QUIT, 0, 0);
            pgp_.join();
        }
        DestroyWindow(side_.ours);
        CloseHandle(side_.pinged);
        CloseHandle(side_.release);
        side = nullptr;
    }
    // PGP's window on its own thread; null when it could not be made.
    HWND StartPgp() {
        std::atomic<HWND> made{nullptr};
        std::atomic<bool> ready{false};
        pgp_ = std::thread([this, &made, &ready] {
            HWND w = CreateWindowExA(0, "PgpWaitTray", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue, for WM_QUIT
            pgpThread_ = GetCurrentThreadId();
            made = w;
            ready = true;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
        });
        PollUntil([&ready] { return ready.load(); }, 10000);
        return made;
    }
    PgpSide side_;
    std::thread pgp_;
    std::atomic<DWORD> pgpThread_{0};
};

} // namespace

TEST_F(PgpWait, OurWindowsAnswerWhilePgpWorks) {
    HWND pgp = StartPgp();
    ASSERT_NE(pgp, nullptr);
    SystemPgpPlatform().SendCommand(pgp, PgpEncrypt);
    EXPECT_TRUE(side_.pingAnswered);
    EXPECT_FALSE(side_.working); // returned with PGP's answer
}

TEST_F(PgpWait, APgpWindowThatDiesEndsTheWait) {
    side_.dieWhileWorking = true;
    HWND pgp = StartPgp();
    ASSERT_NE(pgp, nullptr);
    SystemPgpPlatform().SendCommand(pgp, PgpEncrypt);
    // PGP's handler still runs: the wait ended because the window went, not with an answer.
    EXPECT_TRUE(side_.working);
    EXPECT_FALSE(IsWindow(pgp));
}
