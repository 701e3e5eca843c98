#include "app/TaskIcon.h"

#include <algorithm>
#include <utility>

std::string CutToolTip(const std::string& tip) {
    return tip.substr(0, std::min(tip.size(), ToolTipMaxLength));
}

TrayRecord BuildTrayRecord(WindowHandle window, std::int32_t id, void* icon,
                           const std::string& toolTip) {
    TrayRecord r;
    r.window = window;
    r.id = id;
    r.icon = icon;
    const std::size_t n = std::min(toolTip.size(), TrayTipFieldSize - 1);
    std::copy_n(toolTip.begin(), n, r.tip.begin());
    return r; // the rest of the tip field is NUL
}

TrayEvent TrayNotificationEvent(std::int32_t taskIconId, std::uint32_t iconParam,
                                std::uint32_t mouseMessage) {
    if (static_cast<std::int32_t>(iconParam) != taskIconId)
        return TrayEvent::None;
    switch (mouseMessage) {
    case TrayLeftButtonUp:
        return TrayEvent::Click;
    case TrayLeftButtonDblClk:
        return TrayEvent::DblClick;
    case TrayRightButtonUp:
        return TrayEvent::RightClick;
    default:
        return TrayEvent::None;
    }
}

TrayIconState::TrayIconState(Shell shell, WindowSource window)
    : shell_(std::move(shell)), window_(std::move(window)) {}

bool TrayIconState::Send(TrayCommand command, const TrayRecord& record) {
    return shell_ && shell_(command, record);
}

bool TrayIconState::BuildCurrent(TrayRecord& record) {
    const WindowHandle window = window_ ? window_() : nullptr;
    if (!window)
        return false;
    record = BuildTrayRecord(window, id_, icon_, tip_);
    return true;
}

void TrayIconState::SetActive(bool active) {
    if (active == active_)
        return;
    if (active) {
        TrayRecord record;
        if (BuildCurrent(record) && Send(TrayCommand::Add, record)) {
            kept_ = record;
            active_ = true;
        }
    } else if (Send(TrayCommand::Delete, kept_)) {
        active_ = false;
    }
}

void TrayIconState::Update() {
    TrayRecord record;
    if (active_ && BuildCurrent(record))
        Send(TrayCommand::Modify, record); // a refused update changes nothing here
}

void TrayIconState::SetTaskIconId(std::int32_t id) {
    if (id == id_)
        return;
    id_ = id;
    Update();
}

void TrayIconState::SetToolTip(const std::string& tip) {
    const std::string cut = CutToolTip(tip);
    if (cut == tip_)
        return;
    tip_ = cut;
    Update();
}

void TrayIconState::SetIcon(void* icon) {
    icon_ = icon;
    Update();
}

void TrayIconState::ShellRestarted() {
    if (!active_)
        return;
    // The same broadcast also comes while the shell still shows the icon (a second shell, a
    // settings change); deleting first makes the add succeed in both cases.
    Send(TrayCommand::Delete, kept_);
    TrayRecord record;
    active_ = BuildCurrent(record) && Send(TrayCommand::Add, record);
    if (active_)
        kept_ = record;
}
