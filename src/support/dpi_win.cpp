#include "support/dpi_win.h"

namespace {

template <class F> F User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

} // namespace

int DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : BaseDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BaseDpi;
}

void MoveScaled(HWND control, const PixelBox& box, int dpi, BOOL repaint) {
    const PixelBox at = ScaleBox(box, dpi);
    MoveWindow(control, at.x, at.y, at.width, at.height, repaint);
}

SIZE FrameForClient(HWND window, int width, int height, int dpi) {
    RECT frame = {0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void TakeSuggestedRect(HWND window, LPARAM suggested) {
    const RECT* r = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
BOOL CALLBACK GiveFont(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}
} // namespace

void DpiFontFollower::Follow(HWND dialog, int newDpi) {
    if (baseDpi_ == 0) {
        const HFONT made = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
        if (!made || dpi_ <= 0 || !GetObjectW(made, sizeof base_, &base_))
            return;
        baseDpi_ = dpi_;
    }
    if (newDpi <= 0 || newDpi == dpi_)
        return;
    LOGFONTW font = base_;
    font.lfHeight = MulDiv(base_.lfHeight, newDpi, baseDpi_);
    font.lfWidth = MulDiv(base_.lfWidth, newDpi, baseDpi_);
    HFONT scaled = CreateFontIndirectW(&font);
    if (!scaled)
        return;
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
    EnumChildWindows(dialog, GiveFont, reinterpret_cast<LPARAM>(scaled));
    font_.reset(scaled); // the one before is no longer in use
    dpi_ = newDpi;
}

RECT MonitorAreaAtCursor() {
    POINT at = {0, 0};
    GetCursorPos(&at);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcMonitor;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
