// TfrmChooseMailer: the modal chooser of running mail clients.
#pragma once

#include "support/formproc_win.h"

#include "support/dpi_win.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TfrmChooseMailer {
  public:
    TfrmChooseMailer() = default;
    TfrmChooseMailer(const TfrmChooseMailer&) = delete;
    TfrmChooseMailer& operator=(const TfrmChooseMailer&) = delete;

    // lstRunningMailers' lines, in the order the scan added them.
    std::vector<std::string>& Lines() { return lines_; }
    // Modal; true when the user chose a line (CurrentDriver and ChooserIndex set).
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

    std::vector<std::string> lines_;
    HWND dialog_ = nullptr;
    HWND hints_ = nullptr;
    DpiFontFollower fontFollower_;
};

// The chooser of the current processing run, made fresh before each scan.
extern std::unique_ptr<TfrmChooseMailer> frmChooseMailer;
