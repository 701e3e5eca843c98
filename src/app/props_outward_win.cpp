#include "app/props_outward_win.h"

#include "processing/pgpcontrol.h"
#include "res/resource.h"
#include "support/deblog.h"

TOutwardPage::TOutwardPage(TPropsForm& form) : TPropsPage(IDD_PROPS_SPECIAL), form_(form) {}

void TOutwardPage::AddCommands(CommandTable& table) {
    table.push_back({IDC_BTNRUN, BN_CLICKED, [this] { btnRunClick(); }});
    table.push_back({IDC_BTNPGPKEYS, BN_CLICKED, [this] { btnPGPKeysClick(); }});
    table.push_back({IDC_BTNPAPTRAY, BN_CLICKED, [this] { btnPAPTrayClick(); }});
    table.push_back({IDC_BTNTOOLS, BN_CLICKED, [this] { btnToolsClick(); }});
    table.push_back({IDC_BUTTON1, BN_CLICKED, [this] { Button1Click(); }});
    table.push_back({IDC_BTNPGPHELP, BN_CLICKED, [this] { btnPGPHelpClick(); }});
}

const PlaceTable& TOutwardPage::Places() const {
    static const PlaceTable places = {
        {IDC_OPTOUTWARD, {8, 4, 320, 46}},        {IDC_OPTOUTWARD_ENCRYPT, {18, 22, 80, 18}},
        {IDC_OPTOUTWARD_SIGN, {104, 22, 70, 18}}, {IDC_OPTOUTWARD_BOTH, {180, 22, 140, 18}},
        {IDC_BTNRUN, {340, 14, 80, 28}},          {IDC_CHKFORCEKEYREAD, {12, 60, 400, 20}},
        {IDC_STATICTEXT3, {12, 88, 408, 50}},     {IDC_GROUPBOX6, {8, 146, 414, 62}},
        {IDC_BTNPGPKEYS, {18, 170, 76, 26}},      {IDC_BTNPAPTRAY, {98, 170, 76, 26}},
        {IDC_BTNTOOLS, {178, 170, 76, 26}},       {IDC_BUTTON1, {258, 170, 76, 26}},
        {IDC_BTNPGPHELP, {338, 170, 76, 26}},
    };
    return places;
}

int TOutwardPage::ModeIndex() const {
    return RadioIndex(IDC_OPTOUTWARD_ENCRYPT, 3);
}

void TOutwardPage::SetModeIndex(int index) {
    SetRadioIndex(IDC_OPTOUTWARD_ENCRYPT, 3, index);
}

bool TOutwardPage::ForceKeyReadChecked() const {
    return Checked(IDC_CHKFORCEKEYREAD);
}

void TOutwardPage::SetForceKeyReadChecked(bool checked) {
    SetChecked(IDC_CHKFORCEKEYREAD, checked);
}

void TOutwardPage::ShowToolsButton(bool show) {
    ShowWindow(Item(IDC_BTNTOOLS), show ? SW_SHOWNA : SW_HIDE);
}

void TOutwardPage::btnRunClick() {
    DebugLog("MainPGP-F");
    if (form_.Actions().runMainPgp)
        form_.Actions().runMainPgp(false);
}

void TOutwardPage::btnPGPKeysClick() {
    ::btnPGPKeysClick();
}

void TOutwardPage::btnPAPTrayClick() {
    ::btnPAPTrayClick();
}

void TOutwardPage::btnToolsClick() {
    ::btnToolsClick();
}

void TOutwardPage::Button1Click() {
    ::Button1Click();
}

void TOutwardPage::btnPGPHelpClick() {
    ::btnPGPHelpClick(form_.Handle());
}
