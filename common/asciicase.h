// Letter case ignored for ASCII letters only, as Windows compares class names and the names of
// environment variables and keys; other bytes must match exactly.
#pragma once

#include <string>

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b);
// Below 0, 0 or above 0 as a sorts before, with or after b.
int CompareIgnoringAsciiCase(const std::string& a, const std::string& b);
