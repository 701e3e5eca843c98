// Start-up decisions that need no window system.
#pragma once

#include <string>

// The command-line switches are searched anywhere in the joined arguments, exact case.
bool HasSilentSwitch(const std::string& commandLineText);    // "/s"
bool HasInvisibleSwitch(const std::string& commandLineText); // "/i"

// Timer1's daily housekeeping: true (and ticks back to 0) once the count passes 14400.
bool TimerTickIsDaily(int& timerTicks);
