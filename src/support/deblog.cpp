#include "support/deblog.h"

#include "support/runstate.h"
#include "support/fileutil.h"
#include "support/msgbox.h"
#include "support/platform.h"

std::string DebugLogPath() {
    return DataFolder() + "DebugLog.Txt";
}

bool LogFailureTold = false;

std::string LogFailureText(const std::string& path, const std::string& what) {
    return std::string(ApplicationTitle) + " cannot write its log file " + path + " (" + what +
           ").\r\n\r\nIt goes on working without the log.";
}

namespace {

// Appends; false after telling the user (once) that the log cannot be written.
bool AppendToLog(const std::string& text) {
    try {
        platform::AppendToFile(DebugLogPath(), text);
        return true;
    } catch (const std::exception& e) {
        if (LogFailureTold)
            return false;
        LogFailureTold = true;
        MsgBoxRequest box;
        box.text = LogFailureText(DebugLogPath(), e.what());
        box.caption = "Warning";
        box.icon = MsgIcon::Warning;
        box.buttons = mbOK;
        ShowMessageBox(box);
        return false;
    }
}

} // namespace

void DebugLog(const std::string& message) {
    AppendToLog(platform::LogTimestamp() + ": " + message + "\r\n");
}

void TrimDebugLog(FailureReport report) {
    if (!AppendToLog(""))
        return;
    const FileFailures failures = TrimFileToSizeCosmetic(DebugLogPath(), 20000);
    if (report)
        for (const FileFailure& failure : failures)
            report(failure.where, failure.what);
    DebugLog("Log trimmed");
}
