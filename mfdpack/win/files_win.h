// The exchange file on disk. Paths are UTF-8 and opened with the wide calls, so a folder named
// outside the ANSI code page (a user profile "Βασίλης", "王芳") works.
#pragma once

#include <string>

namespace mfdpack {

// The whole file as bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or replaces the file with exactly these bytes.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Removes the file; a file that is not there is fine.
void DeleteFileIfThere(const std::string& path);

} // namespace mfdpack
