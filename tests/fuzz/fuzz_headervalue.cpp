// HeaderValue against a plain position-by-position reading of its rule. The first byte gives
// the key's length; the key follows, then the header text.
#include "common/mfdexchange.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool KeyAt(const std::string& text, std::size_t at, const std::string& key) {
    if (text.size() - at < key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (Lower(text[at + i]) != Lower(key[i]))
            return false;
    return true;
}

std::string Reference(const std::string& key, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' || !KeyAt(text, i + 1, key))
            continue;
        std::size_t b = i + 1 + key.size();
        std::size_t e = b;
        while (e < text.size() && text[e] != '\r')
            ++e;
        if (e == text.size())
            return std::string();
        while (b < e && static_cast<unsigned char>(text[b]) <= 32)
            ++b;
        while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32)
            --e;
        return text.substr(b, e - b);
    }
    return std::string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 32, size - 1);
    const std::string key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string text(reinterpret_cast<const char*>(data + 1 + keyLength),
                           size - 1 - keyLength);
    if (HeaderValue(key, text) != Reference(key, text))
        std::abort();
    return 0;
}
