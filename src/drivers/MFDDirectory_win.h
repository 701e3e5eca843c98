#pragma once

#include <string>

// WIN.INI's [Mail Form Drivers] Path, as written there; empty when WIN.INI names none.
std::string ReadMfdDirectory();
