#include "winform.h"

#include <algorithm>
#include <cstdlib>

namespace mfd {

namespace {

const UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
const UINT kSendMs = 10000;

struct EnumState {
    DWORD pid;
    const std::vector<std::string>* classes;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<EnumState*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w))
        return TRUE;
    const std::string cls = ClassOf(w);
    if (std::find(s->classes->begin(), s->classes->end(), cls) != s->classes->end())
        s->found.push_back(w);
    return TRUE;
}

} // namespace

std::string ClassOf(HWND w) {
    char buf[256];
    const int n = GetClassNameA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

std::string WindowText(HWND w) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, kSendFlags, kSendMs, &len))
        return std::string();
    std::string buf(len + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]),
                             kSendFlags, kSendMs, &got))
        return std::string();
    buf.resize(std::min<size_t>(got, len));
    return buf;
}

bool SetWindowTextOf(HWND w, const std::string& text) {
    DWORD_PTR ok = 0;
    // Wine refuses a WM_SETTEXT to another process from about a million characters on: a long
    // text goes into an edit control in pieces, each replacing the empty selection at the end.
    const std::size_t kPiece = 256 * 1024;
    if (text.size() <= 2 * kPiece)
        return SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                   kSendFlags, kSendMs, &ok) &&
               ok;
    if (!SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), kSendFlags, kSendMs,
                             &ok) ||
        !ok)
        return false;
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        const std::string piece = text.substr(at, kPiece);
        SendMessageTimeoutA(w, EM_SETSEL, static_cast<WPARAM>(-1), -1, kSendFlags, kSendMs, &ok);
        if (!SendMessageTimeoutA(w, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()),
                                 kSendFlags, kSendMs, &ok))
            return false;
    }
    LRESULT length = 0;
    DWORD_PTR got = 0;
    length = SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, kSendFlags, kSendMs, &got) ? got : 0;
    return static_cast<std::size_t>(length) == text.size();
}

std::vector<HWND> TopWindowsOf(DWORD processId, const std::vector<std::string>& classes) {
    EnumState s{processId, &classes, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND PickActive(const std::vector<HWND>& windows) {
    if (windows.empty())
        return nullptr;
    for (HWND f = GetForegroundWindow(); f; f = GetWindow(f, GW_OWNER))
        if (std::find(windows.begin(), windows.end(), f) != windows.end())
            return f;
    return windows.front();
}

void MarkTarget(HWND target, const std::vector<HWND>& all, const char* mark) {
    for (HWND w : all)
        if (w != target)
            RemovePropA(w, mark);
    SetPropA(target, mark, reinterpret_cast<HANDLE>(1));
}

HWND MarkedTarget(const std::vector<HWND>& all, const char* mark) {
    for (HWND w : all)
        if (GetPropA(w, mark))
            return w;
    return nullptr;
}

namespace {

const char kBoxClass[] = "TestbedMfdInfoBox";
const int kOkId = 1;

LRESULT CALLBACK BoxProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == kOkId || LOWORD(wp) == IDCANCEL)
            PostQuitMessage(0);
        return 0;
    case WM_TIMER:
    case WM_CLOSE:
        // Ending the loop ends the process; its windows go with it.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

void ShowInfoBox(const std::string& title, const std::string& text) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBoxClass;
    RegisterClassA(&wc);

    const int width = 380, height = 170;
    HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kBoxClass, title.c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                               nullptr, inst, nullptr);
    if (!box)
        return;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND label = CreateWindowA("STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 12,
                               width - 30, height - 80, box, nullptr, inst, nullptr);
    HWND ok = CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            (width - 80) / 2, height - 62, 80, 24, box,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)), inst, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    unsigned closeMs = 8000;
    if (const char* env = std::getenv("TESTBED_BOX_MS"))
        closeMs = static_cast<unsigned>(std::strtoul(env, nullptr, 10));
    if (closeMs > 0)
        SetTimer(box, 1, closeMs, nullptr);
    ShowWindow(box, SW_SHOWNORMAL);
    SetForegroundWindow(box);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(box, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace mfd
