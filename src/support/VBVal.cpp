#include "support/VBVal.h"

#include "support/blanks.h"

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::int32_t SafeStrToInt(const std::string& text) {
    std::size_t b = 0, e = text.size();
    TrimBlankOrControl(text, b, e);
    if (b == e)
        return 0;
    if (text[b] == '$') {
        const std::size_t digits = e - b - 1;
        if (digits == 0 || digits > 8)
            return 0;
        std::uint32_t value = 0;
        for (std::size_t i = b + 1; i < e; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0)
                return 0;
            value = (value << 4) | static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(value); // the 32-bit pattern
    }
    bool negative = false;
    if (text[b] == '+' || text[b] == '-') {
        negative = text[b] == '-';
        ++b;
    }
    if (b == e)
        return 0;
    std::int64_t value = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return 0;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return 0;
    return static_cast<std::int32_t>(value);
}
