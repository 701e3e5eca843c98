// The debug log "DebugLog.Txt" in DataFolder(): one dated line per event.
#pragma once

#include <string>

// The notice of a log that cannot be written; what is the system's reason.
std::string LogFailureText(const std::string& path, const std::string& what);
// Whether the notice has been shown; tests put it back.
extern bool LogFailureTold;

std::string DebugLogPath();
// "date time: message" CR LF, appended. A log that cannot be written never stops the program:
// the user is told once (a "Warning" box naming the file), later lines are dropped.
void DebugLog(const std::string& message);
// Keeps the log's tail of about 20000 bytes, then logs "Log trimmed"; a log that cannot be
// written is left alone. What the trim could not do goes to report (the program passes
// ShowError) before the log says it was trimmed: the log cannot report on itself.
using FailureReport = void (*)(const std::string& where, const std::string& what);
void TrimDebugLog(FailureReport report = nullptr);
