#include "winctl/lastwindow_win.h"

#include "common/cloak_win.h"
#include "common/unicode_win.h"

#include <cstdint>
#include <vector>

namespace {

struct Tracker {
    HWINEVENTHOOK hook = nullptr;
    bool tracking = false;
    std::function<bool(HWND)> isOwn;
    UserWindowHistory history;
};

Tracker& TheTracker() {
    static Tracker tracker;
    return tracker;
}

bool OfThisProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == GetCurrentProcessId();
}

ForegroundFacts FactsOf(HWND window) {
    ForegroundFacts f;
    char cls[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    f.className = cls;
    wchar_t title[64] = L""; // enough to tell Wine's tray; no message reaches the window
    GetWindowTextW(window, title, 64);
    f.title = Utf8Of(title);
    const Tracker& t = TheTracker();
    f.ownProcess = t.isOwn ? t.isOwn(window) : OfThisProcess(window);
    f.visible = IsWindowVisible(window) != FALSE;
    f.cloaked = f.visible && IsCloakedWindow(window);
    return f;
}

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                                DWORD) {
    if (event != EVENT_SYSTEM_FOREGROUND || object != OBJID_WINDOW || !window)
        return;
    if (CountsAsUserWindow(FactsOf(window)))
        TheTracker().history.Saw(reinterpret_cast<std::uintptr_t>(window));
}

} // namespace

void StartUserWindowTracking(std::function<bool(HWND)> isOwn) {
    StopUserWindowTracking();
    Tracker& t = TheTracker();
    t.isOwn = std::move(isOwn);
    t.history = UserWindowHistory();
    t.tracking = true;
    // Out of context: nothing is loaded into other programs, the calls come through this
    // thread's messages.
    t.hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                             ForegroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    // The window in front now counts as well: Wextor may start after the user's window came up.
    if (HWND now = GetForegroundWindow())
        ForegroundChanged(t.hook, EVENT_SYSTEM_FOREGROUND, now, OBJID_WINDOW, 0, 0, 0);
}

void StopUserWindowTracking() {
    Tracker& t = TheTracker();
    if (t.hook)
        UnhookWinEvent(t.hook);
    t.hook = nullptr;
    t.tracking = false;
}

HWND LastUserWindow() {
    // The window in front now, too: where the system reports no foreground changes (Wine), or
    // the report is still queued, it is the newest the user can have worked in.
    if (TheTracker().tracking)
        if (HWND now = GetForegroundWindow())
            ForegroundChanged(nullptr, EVENT_SYSTEM_FOREGROUND, now, OBJID_WINDOW, 0, 0, 0);
    const std::uintptr_t w = TheTracker().history.Latest([](std::uintptr_t value) {
        const HWND h = reinterpret_cast<HWND>(value);
        return IsWindow(h) && IsWindowVisible(h) && !IsIconic(h) && !IsCloakedWindow(h);
    });
    return reinterpret_cast<HWND>(w);
}

std::wstring EnvironmentBlockWith(const std::string& name, const std::string& value) {
    std::vector<std::string> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1)
            entries.push_back(Utf8Of(p));
        FreeEnvironmentStringsW(block);
    }
    std::wstring result;
    for (const std::string& e : WithVariable(std::move(entries), name, value)) {
        result += Widen(e);
        result += L'\0';
    }
    result += L'\0';
    return result;
}
