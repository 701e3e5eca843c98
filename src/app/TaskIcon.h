// The tray icon's decisions: the record the shell gets, when to add, modify or delete, and
// which notifications become events. The Win32 component (TaskIcon_win.h) only carries them out.
#pragma once

#include "app/global.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// First version of the shell's record: four 32-bit fields, two handles and the 64-byte tip, each
// handle aligned to its own size (88 bytes on 32-bit Windows, 104 on 64-bit).
constexpr std::uint32_t TrayRecordSize = sizeof(void*) == 8 ? 104 : 88;
constexpr std::uint32_t TrayRecordFlags = 7;         // callback message + icon + tip
constexpr std::uint32_t TrayCallbackMessage = 0x400; // WM_USER
constexpr std::size_t ToolTipMaxLength = 64;
constexpr std::size_t TrayTipFieldSize = 64; // NUL included, so the shell sees 63 characters

// The shell's commands, with the shell's numbers.
enum class TrayCommand : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

// The fields of the first-version record, in the shell's order.
struct TrayRecord {
    std::uint32_t size = TrayRecordSize;
    WindowHandle window = nullptr;
    std::int32_t id = 0;
    std::uint32_t flags = TrayRecordFlags;
    std::uint32_t callbackMessage = TrayCallbackMessage;
    void* icon = nullptr;
    std::array<char, TrayTipFieldSize> tip{};
};

std::string CutToolTip(const std::string& tip);
TrayRecord BuildTrayRecord(WindowHandle window, std::int32_t id, void* icon,
                           const std::string& toolTip);

// Mouse messages of the notification (the second parameter).
constexpr std::uint32_t TrayLeftButtonUp = 0x202;
constexpr std::uint32_t TrayLeftButtonDblClk = 0x203;
constexpr std::uint32_t TrayRightButtonUp = 0x205;

enum class TrayEvent { None, Click, DblClick, RightClick };
// What a notification (first parameter: icon id, second: mouse message) means for the icon
// with the given id.
TrayEvent TrayNotificationEvent(std::int32_t taskIconId, std::uint32_t iconParam,
                                std::uint32_t mouseMessage);

enum class MouseButton { Left, Right, Middle };
using ShiftState = unsigned; // bit set of shift, alt, ctrl and buttons; 0 is empty

// The icon's state between the shell and the component. The shell call answers whether the
// shell accepted the command; the window source gives the notified window (made on demand,
// nullptr when there is none, which counts as a refusal without asking the shell).
class TrayIconState {
  public:
    using Shell = std::function<bool(TrayCommand, const TrayRecord&)>;
    using WindowSource = std::function<WindowHandle()>;

    TrayIconState(Shell shell, WindowSource window);

    bool active() const { return active_; }
    std::int32_t taskIconId() const { return id_; }
    const std::string& toolTip() const { return tip_; }
    void* icon() const { return icon_; }
    const TrayRecord& keptRecord() const { return kept_; }

    void SetActive(bool active);
    void SetTaskIconId(std::int32_t id);
    void SetToolTip(const std::string& tip);
    // The picture's handle has already changed (a new copy): passes it on while active.
    void SetIcon(void* icon);
    // The shell has restarted and forgotten its icons: an active icon is added again.
    void ShellRestarted();

  private:
    bool Send(TrayCommand command, const TrayRecord& record);
    bool BuildCurrent(TrayRecord& record);
    void Update();

    Shell shell_;
    WindowSource window_;
    bool active_ = false;
    std::int32_t id_ = 0;
    std::string tip_;
    void* icon_ = nullptr;
    TrayRecord kept_;
};
