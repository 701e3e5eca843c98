#include "support/error.h"

#include "support/runstate.h"
#include "support/deblog.h"
#include "support/msgbox.h"
#include "support/platform.h"

std::string ErrorText(const std::string& where, const std::string& what) {
    const std::string text = "Error in " + where + "." + std::to_string(StepCode) + " with " + what;
    DebugLog(text); // before any window, so the log holds it even if the box is never read
    return text;
}

void ShowError(const std::string& where, const std::string& what) {
    MsgBoxRequest box;
    box.text = ErrorText(where, what);
    box.caption = "Warning";
    box.icon = MsgIcon::Warning;
    box.buttons = mbOK;
    ShowMessageBox(box);
}

void FatalError(const std::string& where, const std::string& what) {
    MsgBoxRequest box;
    box.text = ErrorText(where, what);
    box.caption = "Error";
    box.icon = MsgIcon::Error;
    box.buttons = mbOK;
    ShowMessageBox(box);
    platform::DeleteFileAt(DataFolder() + "Running.Flg");
    platform::RequestQuit();
}
