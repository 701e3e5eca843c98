// Windows-1252, the code page of English and Western European Windows, for the native build.
#include "support/codepage.h"

#include "support/utf8.h"

#include <algorithm>

namespace {

// 0x80 to 0x9F; 0 where Windows-1252 has no character.
const char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromByte(unsigned char b) {
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
    return b;
}

bool ToByte(char32_t c, char& b) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
        b = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) {
            b = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

} // namespace

namespace platform {

unsigned AnsiCodePage() {
    return 1252;
}

std::string AnsiToUtf8(const std::string& ansi) {
    std::string out;
    for (unsigned char b : ansi)
        AppendUtf8(out, FromByte(b));
    return out;
}

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi, std::vector<char32_t>* unfit) {
    ansi.clear();
    if (unfit)
        unfit->clear();
    bool fits = true;
    for (char32_t c : CodePointsOfUtf8(utf8)) {
        char b = 0;
        if (ToByte(c, b)) {
            ansi += b;
            continue;
        }
        fits = false;
        if (unfit && std::find(unfit->begin(), unfit->end(), c) == unfit->end())
            unfit->push_back(c);
    }
    if (!fits)
        ansi.clear();
    return fits;
}

} // namespace platform
