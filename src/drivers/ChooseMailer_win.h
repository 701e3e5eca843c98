// TfrmChooseMailer: the modal chooser of running mail clients.
#pragma once

#include "support/formproc_win.h"

#include "drivers/mailerrun.h"
#include "support/dpi_win.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TfrmChooseMailer {
  public:
    // Shows the run's chooser lines; a choice sets the run's CurrentDriver.
    explicit TfrmChooseMailer(MailerRun& run) : run_(run) {}
    TfrmChooseMailer(const TfrmChooseMailer&) = delete;
    TfrmChooseMailer& operator=(const TfrmChooseMailer&) = delete;

    // lstRunningMailers' lines, in the order the scan added them.
    std::vector<std::string>& Lines() { return run_.ChooserLines; }
    // Modal; true when the user chose a line (the run's CurrentDriver and ChooserIndex set).
    bool ShowModal(HWND owner);
    HWND handle() const { return dialog_; }

  private:
    template <class Form>
    friend INT_PTR CALLBACK FormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ReportFailure(const std::exception* error);
    void FormCreate();
    void FormShow();
    void UpdateOkButton();
    void lstRunningMailersClick();
    void lstRunningMailersDblClick();
    void btnOkClick();
    void btnCancelClick();
    void btnHelpClick();
    int SelectedLine() const;
    void AddHint(int id, const char* text);

    MailerRun& run_;
    HWND dialog_ = nullptr;
    HWND hints_ = nullptr;
    DpiFontFollower fontFollower_;
};
