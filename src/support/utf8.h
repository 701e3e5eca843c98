// UTF-8 by hand, for the portable core: naming characters in reports, and the native stand-in
// of the code page conversions.
#pragma once

#include <string>
#include <vector>

void AppendUtf8(std::string& out, char32_t c);
// A byte that does not start a valid sequence counts as U+FFFD.
std::vector<char32_t> CodePointsOfUtf8(const std::string& utf8);
// "“Ж” (U+0416)" for each character, joined by ", "; past `most` characters, "and N more".
std::string CharacterList(const std::vector<char32_t>& chars, std::size_t most = 10);
