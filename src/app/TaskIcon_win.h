// TTaskIcon: one icon in the taskbar notification area, with click, double-click and
// right-click events.
#pragma once

#include "app/TaskIcon.h"
#include "common/handles_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

class TTaskIcon {
  public:
    using NotifyEvent = std::function<void(TTaskIcon& sender)>;
    using MouseEvent =
        std::function<void(TTaskIcon& sender, MouseButton button, ShiftState shift, int x, int y)>;
    using ShellNotifyHook = std::function<BOOL(DWORD command, NOTIFYICONDATAA* data)>;

    // Every call to the shell goes through here (Shell_NotifyIconA), so tests can watch the
    // commands and make the shell refuse.
    static ShellNotifyHook ShellNotify;
    // The message that the shell broadcasts to top-level windows after it has (re)started.
    static UINT TaskbarCreatedMessage();

    // The notified window is a hidden top-level window owned by owner (none when owner is
    // null): only top-level windows receive the shell's restart broadcast.
    explicit TTaskIcon(HWND owner);
    ~TTaskIcon();
    TTaskIcon(const TTaskIcon&) = delete;
    TTaskIcon& operator=(const TTaskIcon&) = delete;

    // The window the shell notifies; made on first use, nullptr when it cannot be made.
    HWND Handle();

    bool Active() const { return state_.active(); }
    void SetActive(bool active) { state_.SetActive(active); }
    // The component's own copy; nullptr while empty.
    HICON Icon() const { return icon_.get(); }
    // Takes a copy of the picture; giving back Icon() itself changes nothing.
    void SetIcon(HICON icon);
    const std::string& ToolTip() const { return state_.toolTip(); }
    void SetToolTip(const std::string& tip) { state_.SetToolTip(tip); }
    std::int32_t TaskIconID() const { return state_.taskIconId(); }
    void SetTaskIconID(std::int32_t id) { state_.SetTaskIconId(id); }

    // A balloon from the icon (the first start tells the user where the icon is). False when the
    // icon is not shown or the shell refused.
    bool ShowBalloon(const std::string& title, const std::string& text);
    using BalloonHook = std::function<bool(const std::string& title, const std::string& text)>;
    static BalloonHook Balloon; // tests watch it; empty: the shell

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnRightClick;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void WMTrayNotify(WPARAM wParam, LPARAM lParam);

    HWND owner_;
    HWND window_ = nullptr; // cleared when the window goes, e.g. with its owner
    UniqueIcon icon_;
    TrayIconState state_;
};

// The shell's record for a core record.
NOTIFYICONDATAA ToNotifyIconData(const TrayRecord& record);
