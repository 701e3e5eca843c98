#include "support/utf8.h"

#include <cstdio>

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::vector<char32_t> CodePointsOfUtf8(const std::string& utf8) {
    std::vector<char32_t> points;
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80                ? 1
                           : b >= 0xF0 && b < 0xF5 ? 4
                           : b >= 0xE0             ? 3
                           : b >= 0xC2             ? 2
                                                   : 0;
        char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= n;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next =
                static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        if (valid &&
            ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
             (c >= 0xD800 && c < 0xE000)))
            valid = false;
        points.push_back(valid ? c : 0xFFFD);
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return points;
}

std::string CharacterList(const std::vector<char32_t>& chars, std::size_t most) {
    std::string out;
    for (std::size_t i = 0; i < chars.size() && i < most; ++i) {
        if (i)
            out += ", ";
        out += "\xE2\x80\x9C"; // “
        AppendUtf8(out, chars[i]);
        char code[16];
        std::snprintf(code, sizeof code, "\xE2\x80\x9D (U+%04X)", static_cast<unsigned>(chars[i]));
        out += code;
    }
    if (chars.size() > most)
        out += " and " + std::to_string(chars.size() - most) + " more";
    return out;
}
