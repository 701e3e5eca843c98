// What the two drivers share: the requests carried out on a text field found by each driver
// its own way. A driver is a new process for each request. Text is UTF-8 inside the drivers;
// every exchange file they write declares it ("MFD-Charset: UTF-8"), and a "Write File=" file
// is UTF-8 where it declares so, else bytes of the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace mfdpack {

// Exit codes: Wextor 5 reports any other than 0 as a failed request.
enum : int {
    ExitDone = 0,
    ExitNoExchange = 2,   // Write: no exchange file, or one with nothing to put back
    ExitNoWindow = 3,     // nothing in front that holds text
    ExitFileError = 4,    // the exchange file could not be written
    ExitNotTaken = 5,     // the window did not take the text
    ExitHigherRights = 6, // read: the window's program runs with higher rights than the driver
};

struct DriverProfile {
    const char* name;        // "FRONTMFD": names what the driver remembers between requests
    const char* information; // the probe's Information and the first line of Details (UTF-8)
    const char* details;     // the rest of the Details box (UTF-8)
    const char* caption;     // the Details box's title (UTF-8)
    // The top-level window a read takes its text from; null when there is none.
    HWND (*findWindow)();
    // What the probe gives Wextor to look for in window titles.
    std::string (*shortFor)(HWND window);
    // Whether select-all, copy and paste may stand in for a window without an edit control.
    bool useKeys;
};

// Carries out the command line's request (GetCommandLineW's); the result is the exit code.
int RunDriver(const DriverProfile& profile, const wchar_t* commandLine);

} // namespace mfdpack
