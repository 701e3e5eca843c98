#include "app/props_routine_win.h"

#include "common/unicode_win.h"

#include "res/resource.h"
#include "support/deblog.h"

TRoutinePage::TRoutinePage(TPropsForm& form) : TPropsPage(IDD_PROPS_ROUTINE), form_(form) {}

void TRoutinePage::AddCommands(CommandTable& table) {
    table.push_back({IDC_BTNRUNROUTINE, BN_CLICKED, [this] { btnRunRoutineClick(); }});
    table.push_back(
        {IDC_TXTMAILINGLISTADDRESS, EN_CHANGE, [this] { txtMailingListAddressChange(); }});
    table.push_back(
        {IDC_BTNMAILINGLISTADDRESSADD, BN_CLICKED, [this] { btnMailingListAddressAddClick(); }});
    table.push_back({IDC_BTNMAILINGLISTADDRESSREMOVE, BN_CLICKED,
                     [this] { btnMailingListAddressRemoveClick(); }});
    table.push_back(
        {IDC_LSTMAILINGLISTADDRESS, LBN_SELCHANGE, [this] { lstMailingListAddressClick(); }});
}

const PlaceTable& TRoutinePage::Places() const {
    static const PlaceTable places = {
        {IDC_OPTPROCESSING, {8, 4, 320, 46}},
        {IDC_OPTPROCESSING_ENCRYPT, {18, 22, 80, 18}},
        {IDC_OPTPROCESSING_SIGN, {104, 22, 70, 18}},
        {IDC_OPTPROCESSING_BOTH, {180, 22, 140, 18}},
        {IDC_BTNRUNROUTINE, {340, 14, 80, 28}},
        {IDC_GROUPBOX1, {8, 56, 414, 194}},
        {IDC_STATICTEXT1, {18, 76, 300, 16}},
        {IDC_TXTMAILINGLISTADDRESS, {18, 94, 300, 22}},
        {IDC_BTNMAILINGLISTADDRESSADD, {328, 92, 84, 26}},
        {IDC_STATICTEXT2, {18, 124, 300, 32}},
        {IDC_LSTMAILINGLISTADDRESS, {18, 158, 300, 84}},
        {IDC_BTNMAILINGLISTADDRESSREMOVE, {328, 158, 84, 26}},
    };
    return places;
}

int TRoutinePage::ModeIndex() const {
    return RadioIndex(IDC_OPTPROCESSING_ENCRYPT, 3);
}

void TRoutinePage::SetModeIndex(int index) {
    SetRadioIndex(IDC_OPTPROCESSING_ENCRYPT, 3, index);
}

void TRoutinePage::SetMailingList(const std::vector<std::string>& entries) {
    mailingList_ = entries;
    const HWND list = Item(IDC_LSTMAILINGLISTADDRESS);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
}

std::string TRoutinePage::TypedAddress() const {
    return ItemText(IDC_TXTMAILINGLISTADDRESS);
}

bool TRoutinePage::AddressSelected() const {
    return ListSelection(Item(IDC_LSTMAILINGLISTADDRESS)) >= 0;
}

void TRoutinePage::ShowRefresh(const RefreshDecision& d) {
    const HWND add = Item(IDC_BTNMAILINGLISTADDRESSADD),
               remove = Item(IDC_BTNMAILINGLISTADDRESSREMOVE);
    const HWND focus = GetFocus();
    EnableWindow(add, d.addEnabled);
    EnableWindow(remove, d.removeEnabled);
    // A button that goes grey under the focus hands it to the address, ready for the next one.
    if ((focus == add && !d.addEnabled) || (focus == remove && !d.removeEnabled))
        SetFocus(Item(IDC_TXTMAILINGLISTADDRESS));
}

void TRoutinePage::btnRunRoutineClick() {
    DebugLog("MainPGP-T");
    if (form_.Actions().runMainPgp)
        form_.Actions().runMainPgp(true);
}

void TRoutinePage::txtMailingListAddressChange() {
    form_.RefreshControls();
}

void TRoutinePage::btnMailingListAddressAddClick() {
    const std::string typed = TypedAddress();
    if (!AddAddressEnabled(typed))
        return;                    // the button is grey then
    mailingList_.push_back(typed); // exactly as typed
    SendMessageW(Item(IDC_LSTMAILINGLISTADDRESS), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Widen(typed).c_str()));
    SetWindowTextW(Item(IDC_TXTMAILINGLISTADDRESS), L"");
    form_.RefreshControls();
}

void TRoutinePage::btnMailingListAddressRemoveClick() {
    const HWND list = Item(IDC_LSTMAILINGLISTADDRESS);
    const int selected = ListSelection(list);
    if (selected < 0 || selected >= static_cast<int>(mailingList_.size()))
        return;
    // Into the edit, to be corrected and added again.
    SetWindowTextUtf8(Item(IDC_TXTMAILINGLISTADDRESS), mailingList_[static_cast<size_t>(selected)]);
    mailingList_.erase(mailingList_.begin() + selected);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    form_.RefreshControls();
}

void TRoutinePage::lstMailingListAddressClick() {
    form_.RefreshControls();
}
