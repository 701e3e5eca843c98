#include "keys_win.h"

#include "common/clipboard_win.h"
#include "exchange.h"

#include <vector>

namespace mfdpack {

namespace {

constexpr DWORD kForegroundMs = 3000;
constexpr DWORD kClipboardMs = 5000;

template <typename Test> bool WaitFor(DWORD limitMs, Test test) {
    const DWORD start = GetTickCount();
    while (!test()) {
        if (GetTickCount() - start >= limitMs)
            return false;
        // Answer whatever is sent to this thread meanwhile (clipboard owners' questions).
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return true;
}

bool BringToFront(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return WaitFor(kForegroundMs, [window] { return GetForegroundWindow() == window; });
}

void Key(std::vector<INPUT>& keys, WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(in);
}

// Ctrl held down over the given letters, each pressed and let go.
bool PressCtrl(const char* letters) {
    std::vector<INPUT> keys;
    Key(keys, VK_CONTROL, false);
    for (const char* c = letters; *c; ++c) {
        Key(keys, static_cast<WORD>(*c), false);
        Key(keys, static_cast<WORD>(*c), true);
    }
    Key(keys, VK_CONTROL, true);
    return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

bool CopyNow(HWND owner, std::string& text) {
    const DWORD before = GetClipboardSequenceNumber();
    if (!PressCtrl("AC"))
        return false;
    if (!WaitFor(kClipboardMs, [before] { return GetClipboardSequenceNumber() != before; }))
        return false; // nothing was copied: the window took no select-all or copy
    // The program may still be writing its formats: read once it has closed the clipboard.
    std::string copied;
    const bool read =
        WaitFor(kClipboardMs, [owner, &copied] { return ReadClipboardText(owner, copied, 1); });
    text = copied;
    return read;
}

} // namespace

UniqueWindow MakeClipboardOwner() {
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
}

bool CopyAllByKeys(HWND window, HWND owner, std::string& text) {
    return BringToFront(window) && CopyNow(owner, text);
}

bool PasteAllByKeys(HWND window, HWND owner, const std::string& text) {
    if (!BringToFront(window) || !WriteClipboardText(owner, text))
        return false;
    if (!PressCtrl("AV"))
        return false;
    // The paste is done when a copy of everything gives the text back.
    std::string now;
    return WaitFor(kClipboardMs,
                   [&] { return CopyNow(owner, now) && SameTextButLineEnds(now, text); });
}

} // namespace mfdpack
