// The Win32 side of the remembered window and of the rights check: a small file per driver and
// user in %LOCALAPPDATA%\Wextor 5\Driver pack\ (FRONTMFD.target: handle, process id and start,
// never any text), and the integrity levels of this process and the target's.
#pragma once

#include "guards.h"

#include <windows.h>

namespace mfdpack {

// Remembers the window for this driver ("FRONTMFD"); false when the file could not be written.
bool RememberTarget(const char* driverName, HWND window);
// The remembered window if it is still the one that was read, else null; either way the
// record is gone afterwards: one read, one write.
HWND TakeRememberedTarget(const char* driverName);
void ForgetTarget(const char* driverName);

Integrity OwnIntegrity();
Integrity IntegrityOfWindow(HWND window);

} // namespace mfdpack
