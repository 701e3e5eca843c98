// How Wextor 5 tells a driver the window the user last worked in: a variable in the driver's
// own environment, "0x" and the handle's value in hexadecimal capitals. Drivers that do not know
// it never see a difference.
#pragma once

#include <cstdint>
#include <string>

extern const char* const TargetWindowVariable; // "WEXTOR_TARGET_WINDOW"
std::string TargetWindowValue(std::uintptr_t window);
// The handle's value; false for anything but "0x" and 1 to 16 hex digits of either case, or 0.
bool ParseTargetWindow(const std::string& value, unsigned long long& handle);
