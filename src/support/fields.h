#pragma once

#include <string>

// Field `index` (from 1) of a line whose fields are separated by "!".
std::string ExtractField(const std::string& line, int index);
