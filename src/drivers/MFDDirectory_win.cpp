#include "drivers/MFDDirectory.h"
#include "drivers/MFDDirectory_win.h"

#include "common/unicode_win.h"

#include <windows.h>

#include <vector>

std::string ReadMfdDirectory() {
    // A value that fills the buffer may have been cut: try again with more room.
    for (DWORD size = 1024;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const DWORD n = GetProfileStringW(Widen(kMfdSection).c_str(), Widen(kMfdKey).c_str(), L"",
                                          buffer.data(), size);
        if (n < size - 1 || size >= (1u << 20))
            return Utf8Of(buffer.data(), n);
    }
}
