#pragma once

#include <string>

// The system's 8.3 form of an existing path; empty when it has none.
std::string ShortPathName(const std::string& path);
// major.minor.build platform+service pack of the running system.
std::string WindowsVersionText();
