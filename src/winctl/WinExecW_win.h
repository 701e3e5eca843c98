// Starting a program and waiting for its end.
#pragma once

#include "winctl/WinExecW.h"

#include <cstdint>
#include <functional>
#include <string>

// Starts the command line (its first token is the program, by the system's rules for unquoted
// command lines) in a new console with the given show mode and creation flags, and blocks
// until it ends. Returns its exit code; a program that cannot be started, or a command line
// longer than 511 characters, gets a fatal report and LaunchFailed (-1).
// program, when given, names the program file exactly (the system then never splits an unquoted
// path with blanks into a shorter program's name); the command line is passed on unchanged.
int WinExecAndWait32(const std::string& commandLine, std::uint16_t showMode,
                     std::uint32_t creationFlags, const std::string& program = "");

// Like WinExecAndWait32, but the caller's windows stay alive while the program runs: messages
// are dispatched, a WM_QUIT gives the wait up (and is kept for the main loop), and every
// patienceMs askToEnd decides whether to end the program. setup adds a variable to its
// environment and lends it the foreground.
WaitResult WinExecAndWaitPumped(const std::string& commandLine, std::uint16_t showMode,
                                std::uint32_t creationFlags, unsigned patienceMs,
                                const std::function<bool()>& askToEnd,
                                const std::string& program = "", const ChildSetup& setup = {});

// WinExec for one program file named by its full path (surrounding quotes are dropped): started
// by that exact name with the path as its command line, waited for until it is ready for input
// (at most 30 s). Returns what WinExec would: above 31 on success, else 0, 2, 3 or 11.
unsigned WinExecProgram(const std::string& program, std::uint16_t showMode);
