// The system's ANSI code page, for what only an older driver or PGP 5.x reads: text is UTF-8
// everywhere else. Defined in codepage_win.cpp, and for the native build in codepage_posix.cpp
// as Windows-1252.
#pragma once

#include <string>
#include <vector>

namespace platform {

unsigned AnsiCodePage();
std::string AnsiToUtf8(const std::string& ansi);
// False when a character has no exact place in the code page: `unfit` then lists those
// characters (each once) and `ansi` is empty. Never a "?" in place of a character.
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi, std::vector<char32_t>* unfit);

// How the boxes name it: "code page 1252".
inline std::string AnsiCodePageName() {
    return "code page " + std::to_string(AnsiCodePage());
}

} // namespace platform
