#pragma once

#include <cstdint>
#include <string>

// Trimmed text as a signed 32-bit decimal ("+"/"-" allowed) or "$" + up to 8 hex digits;
// anything else, or a value out of range, gives 0.
std::int32_t SafeStrToInt(const std::string& text);
