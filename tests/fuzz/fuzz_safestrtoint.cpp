// SafeStrToInt against strtoll/strtoul on the trimmed text, once the text has been checked to
// have the decimal or the "$" hexadecimal form (so a NUL never reaches them).
#include "common/VBVal.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool AllOf(const std::string& s, std::size_t from, const char* digits) {
    return from < s.size() && s.find_first_not_of(digits, from) == std::string::npos;
}

std::int32_t Reference(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32)
        --e;
    const std::string t = text.substr(b, e - b);
    if (!t.empty() && t[0] == '$') {
        if (t.size() > 9 || !AllOf(t, 1, "0123456789abcdefABCDEF"))
            return 0;
        return static_cast<std::int32_t>(std::strtoul(t.c_str() + 1, nullptr, 16));
    }
    const std::size_t digits = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
    if (!AllOf(t, digits, "0123456789"))
        return 0;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return 0;
    return static_cast<std::int32_t>(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (SafeStrToInt(text) != Reference(text))
        std::abort();
    return 0;
}
