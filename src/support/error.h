// The two error reports. Both quote StepCode and are logged before any window shows.
#pragma once

#include "support/fileutil.h"

#include <string>

// "Error in " + where + "." + StepCode + " with " + what; also written to the log.
std::string ErrorText(const std::string& where, const std::string& what);
// Logged, then a "Warning" box; the caller carries on.
void ShowError(const std::string& where, const std::string& what);
// Logged, then an "Error" box; deletes "Running.Flg" and asks the application to quit.
void FatalError(const std::string& where, const std::string& what);

// ShowError for each failure a file helper returned, in order.
void ShowFileFailures(const FileFailures& failures);
// TryWriteFileString whose failure is shown with ShowError("WriteFileString:" + path, system
// error text): the caller carries on. True when the file was written.
bool WriteFileString(const std::string& path, const std::string& text);
