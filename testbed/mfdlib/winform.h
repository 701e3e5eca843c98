// Reading and writing another program's windows, for the drivers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mfd {

std::string ClassOf(HWND w);
// Title or control text of any length; empty when the window does not answer within 10 s.
std::string WindowText(HWND w);
bool SetWindowTextOf(HWND w, const std::string& text);

// Visible top-level windows of one process whose class is one of the names, in Z order.
std::vector<HWND> TopWindowsOf(DWORD processId, const std::vector<std::string>& classes);
// The foreground window when it (or the window that owns it) is one of them, else the first.
HWND PickActive(const std::vector<HWND>& windows);

// A driver is a new process for every request, so the window a read took is marked with a
// window property; the write that follows goes to that window.
void MarkTarget(HWND target, const std::vector<HWND>& all, const char* mark);
HWND MarkedTarget(const std::vector<HWND>& all, const char* mark);

// A small non-modal box that ends the process's wait when closed or after its time: a driver
// that Wextor waits for must never wait for a person. TESTBED_BOX_MS sets the time (0: stay).
void ShowInfoBox(const std::string& title, const std::string& text);

} // namespace mfd
