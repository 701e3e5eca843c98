#include "processing/running.h"
#include "processing/running_win.h"
#include "res/resource.h"
#include "support/dpi_win.h"
#include "common/pump_win.h"

#include <commctrl.h>

#include <algorithm>

namespace {
constexpr int kClientWidth = 137, kClientHeight = 23;

int LineHeight(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight + 4;
}

// The panel: a single border, a raised inner bevel and the caption in black; below it, while
// the run waits for a driver, the line that names it.
void PaintPanel(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    const auto* waiting =
        reinterpret_cast<const std::string*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (waiting && !waiting->empty()) {
        RECT line = r;
        line.top = ScaleToDpi(kClientHeight, DpiOf(window));
        r.bottom = line.top;
        FillRect(dc, &line, GetSysColorBrush(COLOR_INFOBK));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
        InflateRect(&line, -4, 0);
        DrawTextA(dc, waiting->c_str(), -1, &line,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    DrawTextA(dc, "PGP Running", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

INT_PTR CALLBACK RunningProc(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_PAINT:
        PaintPanel(window);
        return TRUE;
    case WM_ERASEBKGND:
        return TRUE;
    }
    return FALSE;
}
} // namespace

TfrmRunning::TfrmRunning(HWND owner) {
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_RUNNING), owner,
                                 RunningProc, 0);
    if (!window_)
        return;
    SetWindowTextA(window_, "PGP Running");
    progressBar1_ = GetDlgItem(window_, IDC_RUNNING_PROGRESS);
    FormCreate();
}

TfrmRunning::~TfrmRunning() {
    if (window_)
        DestroyWindow(window_);
}

void TfrmRunning::FormCreate() {
    // 96-dpi sizes: the client area, the 13 x 13 picture and the 115 x 13 bar.
    const int dpi = DpiOf(window_);
    const SIZE frame = FrameForClient(window_, kClientWidth, kClientHeight, dpi);
    const int width = frame.cx, height = frame.cy;
    MoveScaled(GetDlgItem(window_, IDC_RUNNING_PICTURE), {4, 5, 13, 13}, dpi);
    MoveScaled(progressBar1_, {kClientWidth - 115 - 4, 5, 115, 13}, dpi);
    SendMessageA(progressBar1_, PBM_SETRANGE32, 0, 100);
    SendMessageA(progressBar1_, PBM_SETPOS, 5, 0);

    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    // Near the mouse on its own monitor: positions relative to that monitor, then placed on it.
    const RECT monitor = MonitorAreaAtCursor();
    const ScreenPoint at =
        RunningWindowPosition({cursor.x - monitor.left, cursor.y - monitor.top}, width, height,
                              monitor.right - monitor.left, monitor.bottom - monitor.top);
    SetWindowPos(window_, HWND_TOPMOST, monitor.left + at.x, monitor.top + at.y, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
    PumpPendingMessages();
}

void TfrmRunning::SetProgress(int position) {
    if (progressBar1_)
        SendMessageA(progressBar1_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TfrmRunning::SetWaiting(const std::string& text) {
    if (!window_ || text == waiting_)
        return;
    waiting_ = text;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&waiting_));
    RECT r;
    GetWindowRect(window_, &r);
    if (!baseHeight_)
        baseHeight_ = r.bottom - r.top;
    int width = r.right - r.left;
    if (!text.empty()) {
        HDC dc = GetDC(window_);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window_, WM_GETFONT, 0, 0)));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(window_, dc);
        width = std::max(width, static_cast<int>(size.cx) + 10);
    }
    const int height = baseHeight_ + (text.empty() ? 0 : LineHeight(window_));
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

int TfrmRunning::Progress() const {
    return progressBar1_ ? static_cast<int>(SendMessageA(progressBar1_, PBM_GETPOS, 0, 0)) : 0;
}
