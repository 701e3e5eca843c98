#pragma once

#include <windows.h>

#include <string>

// The system's text for an error code, with the number behind it, so that a report in a
// language nobody reading it knows still says what failed: "Access is denied (5)".
std::string WinErrorText(DWORD code);
