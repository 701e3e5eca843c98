// Follows the foreground window so that a run works on the window the user was in before the
// tray click (or a shortcut) made another the foreground window.
#pragma once

#include "winctl/lastwindow.h"

#include <windows.h>

#include <functional>
#include <string>

// From now on, on this thread (its messages must be pumped): every foreground window that
// counts as the user's is remembered. isOwn tells Wextor's own windows; by default those of this
// process. Calling it again starts anew.
void StartUserWindowTracking(std::function<bool(HWND)> isOwn = {});
void StopUserWindowTracking();

// The window the user last worked in that still exists, is shown and not cloaked; null when
// none is known.
HWND LastUserWindow();

// This process's environment with the variable set, as a block for CreateProcessW with
// CREATE_UNICODE_ENVIRONMENT. The program's own environment stays as it is.
std::wstring EnvironmentBlockWith(const std::string& name, const std::string& value);
