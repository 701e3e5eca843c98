// Start-up decisions that need no window system.
#pragma once

#include <string>

// The command-line switches are searched anywhere in the joined arguments, exact case.
bool HasSilentSwitch(const std::string& commandLineText);    // "/s"
bool HasInvisibleSwitch(const std::string& commandLineText); // "/i"

// Timer1's daily housekeeping: true (and ticks back to 0) once the count passes 14400.
bool TimerTickIsDaily(int& timerTicks);

// The first start shows a balloon from the tray icon, once: Windows 11 puts a new icon out of
// sight, and a first-time user would not find the program.
extern const char* const TrayHintKey;   // "TrayHintShown", in [General]
extern const char* const TrayHintTitle; // "Wextor 5 is here"
extern const char* const TrayHintText;  // "Click this icon ..."
bool TrayHintDue(const std::string& storedValue);
