// Hexadecimal digits as the programs' texts carry them: "$1F" values, "0x1F" settings and
// GnuPG's "\x3a" and "%3A" escapes.
#pragma once

#include <cstdint>
#include <string>

// 0 to 15 for a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// All of digits, 1 to 8 of them, as the bits of a 32-bit value; false for none, more than 8 or
// anything that is not a hexadecimal digit (value is then left as it was).
bool ParseHex32(const std::string& digits, std::uint32_t& value);
