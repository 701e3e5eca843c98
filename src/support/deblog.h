// The debug log "DebugLog.Txt" in DataFolder(): one dated line per event.
#pragma once

#include <string>

std::string DebugLogPath();
// "date time: message" CR LF, appended; a failure raises FileError to the caller.
void DebugLog(const std::string& message);
// Keeps the log's tail of about 20000 bytes, then logs "Log trimmed".
void TrimDebugLog();
