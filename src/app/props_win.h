// TfrmProps, the properties window: the program's only main window, hidden most of the time.
// Its controls are the live store of the settings that processing runs read.
#pragma once

#include "app/TaskIcon_win.h"
#include "app/hotkey_win.h"
#include "app/props_page_win.h"
#include "app/propsmodel.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "processing/PGPMain.h"
#include "processing/opchoice.h"
#include "common/handles_win.h"
#include "support/dpi_win.h"
#include "support/verslab_win.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TRoutinePage;
class TOutwardPage;
class TMailersPage;
class TOptionsPage;
class TAboutPage;

// A thin shell that owns its pages (props_*_win.h); each page keeps its controls and handlers.
// The window is also the processing run's host, and the anchor of the search for PGPtray.
class TfrmProps : public TPropsForm,
                  public SettingsControls,
                  public ProcessingSettingsView,
                  public ProcessingHost {
  public:
    // Creates the window hidden, with its pages, tray icon (not yet active) and Timer1, and
    // makes it the host of processing runs.
    // settingsFileName: the profile file of LoadSettings and SaveSettings.
    explicit TfrmProps(PropsActions actions = {}, std::string settingsFileName = SettingsFileName);
    ~TfrmProps() override; // FormDestroy
    TfrmProps(const TfrmProps&) = delete;
    TfrmProps& operator=(const TfrmProps&) = delete;

    HWND Handle() const override { return form_; }
    PropsActions& Actions() override { return actions_; }
    TTaskIcon& TaskIcon1() { return *taskIcon1_; }
    TVersionLabel& VersionLabel1();
    // Every control id of the form and its pages with the notification its handler answers.
    const CommandTable& Commands() const { return commands_; }

    // The message loop gives every message to this first: the key preview (Ctrl+Alt+A) for
    // keys aimed at the window, then the dialog keys (Tab, Enter, Esc, accelerators). True when
    // the message has been dealt with and must not be dispatched.
    bool PreTranslateMessage(MSG& msg);

    // Start-up steps that fill the window.
    void FillMailerLists(const std::vector<std::string>& activeLines); // LoadCatalogue
    void ShowToolsButton(bool show);
    void FillAboutText();
    std::string AboutText() const;
    void LoadSettings(); // with this window's settings file
    void SaveSettings();
    void SaveTipSettings() override;

    // Operations.
    void SelectPage(int position);
    void ShowPropsWindow();
    void HidePropsWindow() override;
    bool Visible() const; // shown, or being shown (FormShow runs)
    void RefreshControls() override;
    void MoveToActive();
    void MoveToLibrary();
    int ActivePage() const { return activePage_; }
    const MailerList& lstActive() const;
    const MailerList& lstLibrary() const;

    // txtClipboardReceiver: setting a different text runs txtClipboardReceiverChange, which
    // hands the result to the run that set it (none: it goes nowhere).
    std::string ClipboardReceiverText() const;
    void SetClipboardReceiverText(const std::string& text);
    void SetClipboardReceiverText(ProcessingRun& run, const std::string& text) override;

    // The close request (close box, Alt+F4, Windows ending the session): true when granted.
    bool FormCloseQuery();
    // A key going down with the shift keys given; the key preview calls this.
    void FormKeyDown(unsigned virtualKey, bool ctrl, bool alt);

    // SettingsControls and ProcessingSettingsView: the settings as the controls hold them.
    int RoutineModeIndex() const override;
    int SpecialModeIndex() const override;
    bool IgnoreWrappedKeysChecked() const override;
    bool ForceKeyReadChecked() const override;
    std::vector<std::string> MailingListEntries() const override;
    std::vector<std::string> ActiveEntries() const override;
    HotKey HotKeyChoice() const override;
    void SetRoutineModeIndex(int index) override;
    void SetSpecialModeIndex(int index) override;
    void SetIgnoreWrappedKeysChecked(bool checked) override;
    void SetForceKeyReadChecked(bool checked) override;
    void SetMailingListEntries(const std::vector<std::string>& entries) override;
    void StripActiveMarks() override;
    void SetShowTipsChecked(bool checked) override;
    void SetHotKeyChoice(const HotKey& keys, bool chosen) override;
    std::string VersionLabelText() override;
    void ProbePgpVersion() override;
    bool ForceKeyRead() const override { return ForceKeyReadChecked(); }
    bool IgnoreWrappedKeys() const override { return IgnoreWrappedKeysChecked(); }
    const std::vector<std::string>& MailingListAddresses() const override;
    WindowHandle ActiveForm() override { return form_; }
    const ProcessingSettingsView& Settings() override { return *this; }

  private:
    static INT_PTR CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The form's and the pages' messages alike, to the window kept in DWLP_USER.
    static INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void WMInitDialog();
    void WMCommand(int id, int code);
    void WMNotify(const NMHDR& header);
    void WMHelp(const HELPINFO& info);
    INT_PTR WMCtlColorStatic(HDC dc, HWND control);
    void Guarded(const std::function<void()>& handler);
    void FillDefaultActions();
    void ShowTipOfTheDayDefault();
    void AddFormCommands();
    void AddHints();

    // Event handlers of the form itself; the pages have their own.
    void FormShow();
    void FormResize(UINT sizeKind);
    void FormDestroy();
    void btnOkClick();
    void btnCancelClick();
    void btnUnloadClick();
    void btnHelpClick();
    void Timer1Timer();
    void TaskIcon1Click();
    void HotKey1HotKey(); // the keyboard shortcut: the tray click's run
    void TaskIcon1RightClick();
    void PageControl1Change();
    void txtClipboardReceiverChange();

    // Helpers.
    HWND Item(int id) const; // a control of the form or of any page
    std::string ItemText(int id) const;
    void ProcessMessages();
    void StartRoutineRun(const char* logLine);
    bool HoldHotKey(bool confirmed);
    void LayOut();
    void ApplyTabs(const std::vector<int>& shownPages);
    void ShowActivePage();
    void ShowHelpDefault(unsigned context, bool popup);
    unsigned HelpContextOf(HWND control) const;

    PropsActions actions_;
    ProcessingHost* previousHost_ = nullptr;
    PrivateProfile settingsFile_;
    UniqueWindow owner_; // hidden: keeps the window off the taskbar
    HWND form_ = nullptr;
    HWND pageControl1_ = nullptr;
    HWND tips_ = nullptr; // tool tips of the hints
    std::unique_ptr<TTaskIcon> taskIcon1_;
    // The settings' keyboard shortcut, held for this window while it is there.
    std::unique_ptr<THotKeyRegistration> hotKey1_;
    bool hotKeyChosen_ = false; // named in the settings file, not the default
    // The pages, in page order (PropsPage); pages_ holds them all.
    std::unique_ptr<TRoutinePage> routine_;
    std::unique_ptr<TOutwardPage> outward_;
    std::unique_ptr<TMailersPage> mailers_;
    std::unique_ptr<TOptionsPage> options_;
    std::unique_ptr<TAboutPage> about_;
    std::array<TPropsPage*, PropsPageCount> pages_{};
    CommandTable commands_; // of the form and of every page

    std::vector<int> shownPages_;
    int activePage_ = MailerChoicePage;
    bool inFormShow_ = false;
    bool settingReceiver_ = false;
    std::string receiverText_;             // the run's result, every character of it
    ProcessingRun* receiverRun_ = nullptr; // the run whose result the receiver is taking
    DpiFontFollower fontFollower_;
};
