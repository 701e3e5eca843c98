// The ANSI code page through Windows' own conversions.
#include "support/codepage.h"

#include "common/unicode_win.h"

namespace platform {

unsigned AnsiCodePage() {
    return GetACP();
}

std::string AnsiToUtf8(const std::string& ansi) {
    return Utf8FromCodePage(ansi);
}

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi, std::vector<char32_t>* unfit) {
    return CodePageFromUtf8(utf8, ansi, unfit);
}

} // namespace platform
