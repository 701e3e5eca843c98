#include "common/hexdigits.h"

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHex32(const std::string& digits, std::uint32_t& value) {
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t bits = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0)
            return false;
        bits = (bits << 4) | static_cast<std::uint32_t>(d);
    }
    value = bits;
    return true;
}
