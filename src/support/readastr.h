#pragma once

#include <string>

// The whole file as bytes; empty when it does not exist. A file that exists but cannot be
// read raises FileError.
std::string ReadFileString(const std::string& path);
