#include "drivers/MFDDirectory.h"
#include "drivers/MFDDirectory_win.h"

#include <windows.h>

#include <vector>

std::string ReadMfdDirectory() {
    // A value that fills the buffer may have been cut: try again with more room.
    for (DWORD size = 1024;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD n = GetProfileStringA(kMfdSection, kMfdKey, "", buffer.data(), size);
        if (n < size - 1 || size >= (1u << 20))
            return std::string(buffer.data(), n);
    }
}
