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

namespace {
void ShowErrorBox(const std::string& text, const char* caption, MsgIcon icon) {
    MsgBoxRequest box;
    box.text = text;
    box.caption = caption;
    box.icon = icon;
    box.buttons = mbOK;
    ShowMessageBox(box);
}
} // namespace

void ShowError(const std::string& where, const std::string& what) {
    ShowErrorBox(ErrorText(where, what), "Warning", MsgIcon::Warning);
}

void ShowFileFailures(const FileFailures& failures) {
    for (const FileFailure& failure : failures)
        ShowError(failure.where, failure.what);
}

bool WriteFileString(const std::string& path, const std::string& text) {
    FileFailure failure;
    if (TryWriteFileString(path, text, failure))
        return true;
    ShowError(failure.where, failure.what);
    return false;
}

void FatalError(const std::string& where, const std::string& what) {
    ShowErrorBox(ErrorText(where, what), "Error", MsgIcon::Error);
    platform::DeleteFileAt(DataFolder() + "Running.Flg");
    platform::RequestQuit();
}
