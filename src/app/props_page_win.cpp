#include "app/props_page_win.h"

#include "common/unicode_win.h"

#include "support/dpi_win.h"

const CommandRoute* FindRoute(const CommandTable& table, int id, int code) {
    for (const CommandRoute& route : table)
        if (route.id == id && (route.code == code || route.code == AnyNotification))
            return &route;
    return nullptr;
}

void PlaceControls(HWND parent, const PlaceTable& places, int dpi) {
    for (const ControlPlace& at : places)
        MoveScaled(GetDlgItem(parent, at.id), at.box, dpi);
}

std::string TextOfWindow(HWND window) {
    if (!window)
        return std::string();
    return WindowTextUtf8(window);
}

int ListSelection(HWND box) {
    const LRESULT selected = SendMessageA(box, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

bool TPropsPage::Create(HWND form, DLGPROC proc, LPARAM param) {
    page_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialogId_), form, proc,
                               param);
    return page_ != nullptr;
}

bool TPropsPage::Checked(int id) const {
    return IsDlgButtonChecked(page_, id) == BST_CHECKED;
}

void TPropsPage::SetChecked(int id, bool checked) {
    CheckDlgButton(page_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int TPropsPage::RadioIndex(int firstId, int count) const {
    for (int i = 0; i < count; ++i)
        if (Checked(firstId + i))
            return i;
    return -1;
}

void TPropsPage::SetRadioIndex(int firstId, int count, int index) {
    for (int i = 0; i < count; ++i)
        SetChecked(firstId + i, i == index);
}

TPropsForm::TrackMenuHook TPropsForm::TrackMenu = [](HMENU menu, HWND owner, int x, int y) {
    SetForegroundWindow(owner); // so that the menu closes when the user clicks elsewhere
    const int command = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return command;
};
