// The one loop that runs the window messages waiting for this thread.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches the waiting messages; takes, where given, sees each one first and keeps those it
// handles itself (dialog keys). A WM_QUIT ends it and is posted again for the main loop: false
// then (the program is ending).
bool PumpPendingMessages(const std::function<bool(MSG&)>& takes = {});
