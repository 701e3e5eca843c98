// Single instance: the parts of the duplicate check that need no window system.
#pragma once

#include <string>

// The executable's file name without its last four characters when it contains ".EXE" in
// capitals; otherwise empty.
std::string DerivedInstanceTitle(const std::string& exeFileName);
