// Starting a program and waiting for its end: the checks and reports. The launch itself is in
// WinExecW_win.h.
#pragma once

#include <cstddef>
#include <string>

// The launch copies the command line into a zero-terminated buffer of 512 characters.
constexpr std::size_t CommandLineBufferSize = 512;
constexpr std::size_t MaxCommandLineLength = CommandLineBufferSize - 1;

// What a failed launch returns.
constexpr int LaunchFailed = -1;

// How a waited-for program ended.
enum class WaitEnd {
    Exited,      // by itself; exitCode holds its code
    EndedByUser, // the user chose to end it when asked after the patience time
    Abandoned,   // the program is quitting (WM_QUIT): the wait was given up, it may still run
    NotStarted,  // it could not be started (reported)
};
struct WaitResult {
    WaitEnd end = WaitEnd::NotStarted;
    unsigned long exitCode = 0;
};

// What a waited-for program gets beyond its command line.
struct ChildSetup {
    // One variable set in its environment only (none when the name is empty).
    std::string variable;
    std::string value;
    // The right to bring its windows forward, lent by this process while the system lets it:
    // given to that process alone, before it runs, never to whatever program starts next.
    bool lendForeground = false;
};

// Whether the command line can be handed over whole. A longer one, or one with a zero
// character, would be cut: it is refused with a fatal report instead.
bool AcceptCommandLine(const std::string& commandLine);

// The fatal report of a program that could not be started; code is the system's error code.
void ReportLaunchFailure(unsigned long code, const std::string& commandLine);
// The fatal report of a started program whose end could not be awaited.
void ReportWaitFailure(unsigned long code, const std::string& commandLine);
