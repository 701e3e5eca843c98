#pragma once

#include <string>

// CompareListText as the running system's sorted list boxes compare (user locale), for a window
// whose model must follow a real box in any locale.
int CompareListTextSystem(const std::string& a, const std::string& b);
