// The shell's own top-level windows, in which nobody writes a message: the taskbars, the tray's
// overflow (Windows 10 and 11), the desktop, a menu, and Wine's stand-alone tray. Wextor 5 passes
// over them when it remembers the user's window, the driver pack when it picks the window in
// front; a click on the tray icon makes some of them the foreground window.
#pragma once

#include <string>

bool IsShellWindow(const std::string& className, const std::string& title);
