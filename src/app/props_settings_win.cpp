// The settings as the pages' controls hold them: the window is the live store that settings
// files are loaded into and saved from, and that processing runs read.
#include "app/props_win.h"

#include "app/props_about_win.h"
#include "app/props_mailers_win.h"
#include "app/props_options_win.h"
#include "app/props_routine_win.h"
#include "app/props_outward_win.h"
#include "app/global.h"
#include "support/deblog.h"
#include "support/msgbox.h"

void TfrmProps::LoadSettings() {
    ::LoadSettings(*this, settingsFile_);
    HoldHotKey(false);
}

// Ok tells every refusal. At start-up and on Cancel only a shortcut the user chose, and only
// when it is new: the default may simply have been taken first by another program.
bool TfrmProps::HoldHotKey(bool confirmed) {
    const HotKey keys = options_->HotKeyChoice();
    const bool changed = keys != hotKey1_->Keys();
    if (hotKey1_->Apply(keys))
        return true;
    DebugLog("Keyboard shortcut taken by another program: " + FormatHotKey(keys));
    if (confirmed || (changed && hotKeyChosen_))
        AskUser(HotKeyTakenText(keys), MsgIcon::Warning, mbOK);
    return false;
}

void TfrmProps::SaveSettings() {
    ::SaveSettings(*this, settingsFile_);
}

void TfrmProps::SaveTipSettings() {
    ::SaveTipSettings(*this, settingsFile_);
}

int TfrmProps::RoutineModeIndex() const {
    return routine_->ModeIndex();
}

int TfrmProps::SpecialModeIndex() const {
    return outward_->ModeIndex();
}

bool TfrmProps::IgnoreWrappedKeysChecked() const {
    return options_->IgnoreWrappedKeysChecked();
}

bool TfrmProps::ForceKeyReadChecked() const {
    return outward_->ForceKeyReadChecked();
}

std::vector<std::string> TfrmProps::MailingListEntries() const {
    return routine_->MailingList();
}

const std::vector<std::string>& TfrmProps::MailingListAddresses() const {
    return routine_->MailingList();
}

std::vector<std::string> TfrmProps::ActiveEntries() const {
    return mailers_->lstActive().Items();
}

void TfrmProps::SetRoutineModeIndex(int index) {
    routine_->SetModeIndex(index);
}

void TfrmProps::SetSpecialModeIndex(int index) {
    outward_->SetModeIndex(index);
}

void TfrmProps::SetIgnoreWrappedKeysChecked(bool checked) {
    options_->SetIgnoreWrappedKeysChecked(checked);
}

void TfrmProps::SetForceKeyReadChecked(bool checked) {
    outward_->SetForceKeyReadChecked(checked);
}

void TfrmProps::SetMailingListEntries(const std::vector<std::string>& entries) {
    routine_->SetMailingList(entries);
}

void TfrmProps::StripActiveMarks() {
    mailers_->StripActiveMarks();
}

void TfrmProps::SetShowTipsChecked(bool checked) {
    options_->SetShowTipsChecked(checked);
}

HotKey TfrmProps::HotKeyChoice() const {
    return options_->HotKeyChoice();
}

void TfrmProps::SetHotKeyChoice(const HotKey& keys, bool chosen) {
    options_->SetHotKeyChoice(keys);
    hotKeyChosen_ = chosen;
}

std::string TfrmProps::VersionLabelText() {
    return about_->VersionLabel1().Caption();
}

void TfrmProps::ProbePgpVersion() {
    if (actions_.probePgpVersion)
        actions_.probePgpVersion(about_->VersionLabel1());
}
