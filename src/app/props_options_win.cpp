#include "app/props_options_win.h"

#include "app/global.h"
#include "app/hotkey_win.h"
#include "res/resource.h"

#include <commctrl.h>

TOptionsPage::TOptionsPage(TPropsForm& form) : TPropsPage(IDD_PROPS_OPTIONS), form_(form) {}

void TOptionsPage::AddCommands(CommandTable& table) {
    table.push_back({IDC_CHKSHOWTIPS, BN_CLICKED, [this] { chkShowTipsClick(); }});
    table.push_back({IDC_BTNNOW, BN_CLICKED, [this] { btnNowClick(); }});
}

const PlaceTable& TOptionsPage::Places() const {
    static const PlaceTable places = {
        {IDC_GROUPBOX5, {8, 4, 260, 58}},        {IDC_CHKSHOWTIPS, {18, 28, 110, 20}},
        {IDC_BTNNOW, {150, 24, 100, 26}},        {IDC_CHKIGNOREWRAPPEDKEYS, {12, 74, 250, 20}},
        {IDC_LBLHOTKEY, {12, 110, 120, 16}},     {IDC_HOTKEY1, {136, 106, 150, 22}},
        {IDC_LBLHOTKEYHINT, {12, 134, 410, 16}},
    };
    return places;
}

void TOptionsPage::Init() {
    // A letter alone, or with Shift only, would be taken from everything the user types.
    SendMessageA(Item(IDC_HOTKEY1), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

HotKey TOptionsPage::HotKeyChoice() const {
    return HotKeyFromControlValue(
        static_cast<WORD>(SendMessageA(Item(IDC_HOTKEY1), HKM_GETHOTKEY, 0, 0)));
}

void TOptionsPage::SetHotKeyChoice(const HotKey& keys) {
    SendMessageA(Item(IDC_HOTKEY1), HKM_SETHOTKEY, ControlValueOf(keys), 0);
}

void TOptionsPage::FocusHotKey() {
    SetFocus(Item(IDC_HOTKEY1));
}

bool TOptionsPage::IgnoreWrappedKeysChecked() const {
    return Checked(IDC_CHKIGNOREWRAPPEDKEYS);
}

void TOptionsPage::SetIgnoreWrappedKeysChecked(bool checked) {
    SetChecked(IDC_CHKIGNOREWRAPPEDKEYS, checked);
}

void TOptionsPage::SetShowTipsChecked(bool checked) {
    SetChecked(IDC_CHKSHOWTIPS, checked);
}

void TOptionsPage::chkShowTipsClick() {
    TipEnabled = Checked(IDC_CHKSHOWTIPS); // written at once, without Ok
    form_.SaveTipSettings();
}

void TOptionsPage::btnNowClick() {
    form_.Actions().showTipOfTheDay();
}
