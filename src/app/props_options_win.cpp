#include "app/props_options_win.h"

#include "app/global.h"
#include "app/props_win.h"
#include "res/resource.h"

TOptionsPage::TOptionsPage(TfrmProps& form) : TPropsPage(IDD_PROPS_OPTIONS), form_(form) {}

void TOptionsPage::AddCommands(CommandTable& table) {
    table.push_back({IDC_CHKSHOWTIPS, BN_CLICKED, [this] { chkShowTipsClick(); }});
    table.push_back({IDC_BTNNOW, BN_CLICKED, [this] { btnNowClick(); }});
}

const PlaceTable& TOptionsPage::Places() const {
    static const PlaceTable places = {
        {IDC_GROUPBOX5, {8, 4, 260, 58}},
        {IDC_CHKSHOWTIPS, {18, 28, 110, 20}},
        {IDC_BTNNOW, {150, 24, 100, 26}},
        {IDC_CHKIGNOREWRAPPEDKEYS, {12, 74, 250, 20}},
    };
    return places;
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
