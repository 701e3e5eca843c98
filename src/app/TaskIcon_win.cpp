#include "app/TaskIcon_win.h"

#include "common/unicode_win.h"

#include <cstring>

static_assert(NOTIFYICONDATAA_V1_SIZE == TrayRecordSize, "first-version tray record");
static_assert(WM_USER == TrayCallbackMessage, "callback message");
static_assert(WM_LBUTTONUP == TrayLeftButtonUp && WM_LBUTTONDBLCLK == TrayLeftButtonDblClk &&
                  WM_RBUTTONUP == TrayRightButtonUp,
              "mouse messages");

namespace {
const char WindowClassName[] = "TTaskIcon";

bool RegisterWindowClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = WindowClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}
} // namespace

TTaskIcon::ShellNotifyHook TTaskIcon::ShellNotify = [](DWORD command, NOTIFYICONDATAA* data) {
    return Shell_NotifyIconA(command, data);
};

TTaskIcon::BalloonHook TTaskIcon::Balloon;

bool TTaskIcon::ShowBalloon(const std::string& title, const std::string& text) {
    if (!Active())
        return false;
    if (Balloon)
        return Balloon(title, text);
    // The full record: a balloon needs fields the first version has not.
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = static_cast<UINT>(TaskIconID());
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    lstrcpynW(data.szInfoTitle, Widen(title).c_str(), ARRAYSIZE(data.szInfoTitle));
    lstrcpynW(data.szInfo, Widen(text).c_str(), ARRAYSIZE(data.szInfo));
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

UINT TTaskIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

NOTIFYICONDATAA ToNotifyIconData(const TrayRecord& record) {
    NOTIFYICONDATAA data = {};
    data.cbSize = record.size;
    data.hWnd = static_cast<HWND>(record.window);
    data.uID = static_cast<UINT>(record.id);
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = static_cast<HICON>(record.icon);
    static_assert(sizeof data.szTip >= TrayTipFieldSize, "tip field"); // 128 in later versions
    std::memcpy(data.szTip, record.tip.data(), TrayTipFieldSize);
    return data;
}

TTaskIcon::TTaskIcon(HWND owner)
    : owner_(owner),
      state_(
          [](TrayCommand command, const TrayRecord& record) {
              NOTIFYICONDATAA data = ToNotifyIconData(record);
              return ShellNotify && ShellNotify(static_cast<DWORD>(command), &data) != FALSE;
          },
          [this] { return static_cast<WindowHandle>(Handle()); }) {}

TTaskIcon::~TTaskIcon() {
    state_.SetActive(false);
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND TTaskIcon::Handle() {
    if (!window_ && RegisterWindowClass(&WindowProc)) {
        // Hidden and a tool window: never a taskbar button, but a receiver of broadcasts.
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "", WS_POPUP, 0, 0, 0, 0,
                                  owner_, nullptr, GetModuleHandleA(nullptr), this);
    }
    return window_;
}

void TTaskIcon::SetIcon(HICON icon) {
    if (icon == icon_.get())
        return;
    UniqueIcon old(icon_.release());
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    state_.SetIcon(icon_.get()); // the shell has its own copy before the old one goes
}

LRESULT CALLBACK TTaskIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TTaskIcon*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TTaskIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TTaskIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    if (message == TrayCallbackMessage) {
        WMTrayNotify(wParam, lParam);
        return 0;
    }
    if (message != 0 && message == TaskbarCreatedMessage()) {
        state_.ShellRestarted();
        return 0;
    }
    switch (message) {
    case WM_DESTROY:
        // Going with the owner: the icon must not outlive the window it notifies.
        state_.SetActive(false);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TTaskIcon::WMTrayNotify(WPARAM wParam, LPARAM lParam) {
    // Copies: a handler may assign the events anew.
    switch (TrayNotificationEvent(TaskIconID(), static_cast<std::uint32_t>(wParam),
                                  static_cast<std::uint32_t>(lParam))) {
    case TrayEvent::Click:
        if (NotifyEvent handler = OnClick)
            handler(*this);
        break;
    case TrayEvent::DblClick:
        if (NotifyEvent handler = OnDblClick)
            handler(*this);
        break;
    case TrayEvent::RightClick:
        if (MouseEvent handler = OnRightClick) {
            POINT p = {};
            GetCursorPos(&p);
            handler(*this, MouseButton::Right, 0, p.x, p.y);
        }
        break;
    case TrayEvent::None:
        break;
    }
}
