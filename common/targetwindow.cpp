#include "common/targetwindow.h"

#include "common/hexdigits.h"

#include <cstdio>

const char* const TargetWindowVariable = "WEXTOR_TARGET_WINDOW";

std::string TargetWindowValue(std::uintptr_t window) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(window));
    return text;
}

bool ParseTargetWindow(const std::string& value, unsigned long long& handle) {
    if (value.size() < 3 || value.size() > 18 || value[0] != '0' ||
        (value[1] != 'x' && value[1] != 'X'))
        return false;
    unsigned long long v = 0;
    for (std::size_t i = 2; i < value.size(); ++i) {
        const int digit = HexDigitValue(value[i]);
        if (digit < 0)
            return false;
        v = v * 16 + static_cast<unsigned>(digit);
    }
    handle = v;
    return v != 0;
}
