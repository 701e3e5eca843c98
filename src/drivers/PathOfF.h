#pragma once

#include <string>

// The path up to and including its last backslash; a path without one comes back unchanged.
std::string PathOf(const std::string& path);
