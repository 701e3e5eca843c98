// TfrmShowScriptInfo: the modal window with a Mail Form Script's description.
#pragma once

#include "support/formproc_win.h"
#include "common/handles_win.h"

#include "support/dpi_win.h"

#include <windows.h>

#include <string>

class TfrmShowScriptInfo {
  public:
    TfrmShowScriptInfo(std::string caption, std::string text)
        : caption_(std::move(caption)), text_(std::move(text)) {}
    TfrmShowScriptInfo(const TfrmShowScriptInfo&) = delete;
    TfrmShowScriptInfo& operator=(const TfrmShowScriptInfo&) = delete;
    // The modal result: 6 from Close.
    INT_PTR ShowModal(HWND owner);

  private:
    template <class Form>
    friend INT_PTR CALLBACK FormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ReportFailure(const std::exception* error);
    void FormCreate();
    void LayOut(int dpi);
    void Command1Click();

    std::string caption_, text_;
    HWND dialog_ = nullptr;
    DpiFontFollower fontFollower_;
    UniqueGdiObject memoFont_;
};

// The value of key in section of MfdDirectory + "\" + the driver file; empty by default.
std::string ReadScriptInfoLine(const std::string& driverFile, const std::string& section,
                               const std::string& key);
// Shows the script's description lines.
void ShowScriptInfo(const std::string& driverFile);
