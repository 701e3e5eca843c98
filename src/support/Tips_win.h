// TfrmTips, the tip-of-the-day window, and ShowTipOfTheDay.
#pragma once

#include "support/Tips.h"
#include "support/formproc_win.h"
#include "common/handles_win.h"

#include <windows.h>

#include <functional>
#include <memory>

// Shows the tips window modally, unless it is already showing; the tray icon is away meanwhile.
void ShowTipOfTheDay(const TipsHost& host);
// Whether ShowTipOfTheDay has its window open.
bool TipsWindowShowing();

class TfrmTips {
  public:
    explicit TfrmTips(const TipsHost& host);
    TfrmTips(const TfrmTips&) = delete;
    TfrmTips& operator=(const TfrmTips&) = delete;

    // Creates the window, runs it modally and releases it; false when it could not be made.
    bool ShowModal();
    HWND Handle() const { return dialog_; }
    const TipsLogic& Logic() const { return *logic_; }

  private:
    template <class Form>
    friend INT_PTR CALLBACK FormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A handler's failure goes to the application's handler, and the window stays open.
    void ReportFailure(const std::exception* error);
    void WMInitDialog();
    void WMCommand(int id);
    // Hands a handler's failure to the application's handler.
    void Report(const std::exception& error);
    void ShowHelp(int context);

    TipsHost host_;
    HWND dialog_ = nullptr;
    std::unique_ptr<TipsLogic> logic_;
    UniqueGdiObject boldFont_;
};
