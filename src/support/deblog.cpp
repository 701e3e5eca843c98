#include "support/deblog.h"

#include "app/global.h"
#include "support/fileutil.h"
#include "support/platform.h"

std::string DebugLogPath() {
    return DataFolder() + "DebugLog.Txt";
}

void DebugLog(const std::string& message) {
    platform::AppendToFile(DebugLogPath(), platform::LogTimestamp() + ": " + message + "\r\n");
}

void TrimDebugLog() {
    TrimFileToSizeCosmetic(DebugLogPath(), 20000);
    DebugLog("Log trimmed");
}
