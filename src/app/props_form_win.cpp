// The properties window's own handlers and operations: showing and hiding, the tabs, the
// refresh of the controls, the bottom buttons, the close request and the tray icon.
#include "app/props_win.h"

#include "app/global.h"
#include "app/props_about_win.h"
#include "app/props_mailers_win.h"
#include "app/props_options_win.h"
#include "app/props_routine_win.h"
#include "app/props_outward_win.h"
#include "processing/PGPMain_win.h"
#include "support/deblog.h"
#include "support/flagscope.h"
#include "support/msgbox.h"
#include "support/placefrm_win.h"

#include <commctrl.h>

// ---- operations ----------------------------------------------------------------------------

void TfrmProps::RefreshControls() {
    ProcessMessages();
    mailers_->ReadListSelections();
    const RefreshDecision d =
        DecideRefresh(routine_->TypedAddress(), routine_->AddressSelected(), mailers_->lstActive());
    routine_->ShowRefresh(d);
    ApplyTabs(d.shownPages);
    mailers_->ShowRefresh(d);
    if (mailers_->lstActive().Empty() && d.selectMailerChoice) {
        SelectPage(MailerChoicePage);
        if (!Visible())
            ShowPropsWindow();
    }
}

void TfrmProps::ApplyTabs(const std::vector<int>& shownPages) {
    if (shownPages == shownPages_)
        return;
    // A tab control cannot hide a tab: the tabs are made again, each knowing its page.
    SendMessageA(pageControl1_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < shownPages.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(PageCaption(shownPages[i]));
        item.lParam = shownPages[i];
        SendMessageA(pageControl1_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    shownPages_ = shownPages;
    SendMessageA(pageControl1_, TCM_SETCURSEL,
                 static_cast<WPARAM>(TabPositionOf(activePage_, shownPages_)), 0);
}

void TfrmProps::ShowActivePage() {
    const HWND focus = GetFocus();
    for (int page = 0; page < PropsPageCount; ++page)
        ShowWindow(pages_[static_cast<size_t>(page)]->Handle(),
                   page == activePage_ ? SW_SHOWNA : SW_HIDE);
    if (focus && !IsWindowVisible(focus) && IsWindowVisible(form_))
        SetFocus(pageControl1_);
}

void TfrmProps::SelectPage(int position) {
    activePage_ = PageToSelect(position);
    ShowActivePage();
    SendMessageA(pageControl1_, TCM_SETCURSEL,
                 static_cast<WPARAM>(TabPositionOf(activePage_, shownPages_)), 0);
}

void TfrmProps::MoveToActive() {
    mailers_->MoveToActive();
}

void TfrmProps::MoveToLibrary() {
    mailers_->MoveToLibrary();
}

const MailerList& TfrmProps::lstActive() const {
    return mailers_->lstActive();
}

const MailerList& TfrmProps::lstLibrary() const {
    return mailers_->lstLibrary();
}

void TfrmProps::FillMailerLists(const std::vector<std::string>& activeLines) {
    mailers_->FillMailerLists(activeLines);
}

bool TfrmProps::Visible() const {
    return inFormShow_ || IsWindowVisible(form_);
}

void TfrmProps::ShowPropsWindow() {
    const bool wasShown = IsWindowVisible(form_) != FALSE;
    if (IsIconic(form_))
        ShowWindow(form_, SW_RESTORE);
    PlaceForm(form_, 5000, 5000);
    if (!wasShown) {
        // The window counts as shown while FormShow runs, as it is about to be.
        FlagScope showing(inFormShow_);
        FormShow();
    }
    ShowWindow(form_, SW_SHOW);
    SetForegroundWindow(form_);
}

void TfrmProps::HidePropsWindow() {
    ShowWindow(form_, SW_HIDE);
}

void TfrmProps::ShowToolsButton(bool show) {
    outward_->ShowToolsButton(show);
}

TVersionLabel& TfrmProps::VersionLabel1() {
    return about_->VersionLabel1();
}

void TfrmProps::FillAboutText() {
    about_->FillAboutText();
}

std::string TfrmProps::AboutText() const {
    return about_->AboutText();
}

// ---- handlers ------------------------------------------------------------------------------

void TfrmProps::FormShow() {
    SelectPage(RecentPage);
    RefreshControls();
    BringWindowToTop(form_);
}

void TfrmProps::FormResize(UINT sizeKind) {
    if (sizeKind == SIZE_MINIMIZED)
        HidePropsWindow(); // back only from the tray
}

bool TfrmProps::FormCloseQuery() {
    if (Visible()) {
        btnCancelClick();
        return false;
    }
    StepCode = 91010;
    return true;
}

void TfrmProps::FormKeyDown(unsigned virtualKey, bool ctrl, bool alt) {
    if (!IsSuperDebugKey(virtualKey, ctrl, alt))
        return;
    MsgBoxRequest box;
    box.text = SuperDebugQuestion(SuperDebug);
    box.caption = "Confirm";
    box.icon = MsgIcon::Confirmation;
    box.buttons = mbYes | mbNo;
    SuperDebug = SuperDebugAfterAnswer(SuperDebug, ShowMessageBox(box));
}

void TfrmProps::btnOkClick() {
    SaveSettings();
    hotKeyChosen_ = true; // the file names it now
    StepCode = 2345;
    if (!HoldHotKey(true)) {
        // The box asked for another shortcut: the field is where to give it.
        SelectPage(OptionsPage);
        options_->FocusHotKey();
        return;
    }
    HidePropsWindow();
}

void TfrmProps::btnCancelClick() {
    StepCode = 4410;
    LoadSettings();
    StepCode = 4411;
    HidePropsWindow();
}

void TfrmProps::btnUnloadClick() {
    StepCode = 99999;
    actions_.quit();
}

void TfrmProps::btnHelpClick() {
    actions_.showHelp(HelpButtonContext(RecentPage), false);
}

void TfrmProps::Timer1Timer() {
    if (actions_.timer1Timer)
        actions_.timer1Timer();
}

void TfrmProps::TaskIcon1Click() {
    StartRoutineRun("MainPGP-T");
}

void TfrmProps::HotKey1HotKey() {
    StartRoutineRun("MainPGP-K");
}

void TfrmProps::StartRoutineRun(const char* logLine) {
    if (TrayClickBusy || RunInProgress()) {
        RefuseRunWhileBusy();
        return;
    }
    // Cleared also when the run fails: a stuck flag would leave the tray icon dead.
    FlagScope busy(TrayClickBusy);
    DebugLog(logLine);
    if (actions_.runMainPgp)
        actions_.runMainPgp(true);
}

void TfrmProps::TaskIcon1RightClick() {
    // Mid-run the window would only show up to be hidden again by the run.
    if (RunInProgress()) {
        RefuseRunWhileBusy();
        return;
    }
    ShowPropsWindow();
}

void TfrmProps::PageControl1Change() {
    const int tab = static_cast<int>(SendMessageA(pageControl1_, TCM_GETCURSEL, 0, 0));
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (tab < 0 || !SendMessageA(pageControl1_, TCM_GETITEMA, static_cast<WPARAM>(tab),
                                 reinterpret_cast<LPARAM>(&item)))
        return;
    activePage_ = static_cast<int>(item.lParam);
    ShowActivePage();
    RecentPage = tab; // the tab position among the tabs shown now
}
