// The two error reports. Both quote StepCode and are logged before any window shows.
#pragma once

#include <string>

// "Error in " + where + "." + StepCode + " with " + what; also written to the log.
std::string ErrorText(const std::string& where, const std::string& what);
// Logged, then a "Warning" box; the caller carries on.
void ShowError(const std::string& where, const std::string& what);
// Logged, then an "Error" box; deletes "Running.Flg" and asks the application to quit.
void FatalError(const std::string& where, const std::string& what);
