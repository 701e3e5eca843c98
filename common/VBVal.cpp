#include "common/VBVal.h"

#include "common/hexdigits.h"
#include "common/blanks.h"

std::int32_t SafeStrToInt(const std::string& text) {
    std::size_t b = 0, e = text.size();
    TrimBlankOrControl(text, b, e);
    if (b == e)
        return 0;
    if (text[b] == '$') {
        std::uint32_t value = 0;
        if (!ParseHex32(text.substr(b + 1, e - b - 1), value))
            return 0;
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
