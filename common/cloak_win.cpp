#include "common/cloak_win.h"

#include "common/syslib_win.h"

bool IsCloakedWindow(HWND window) {
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    // Loaded by path, not imported: the programs still start where dwmapi.dll is missing.
    static const GetAttribute get = [] {
        const HMODULE dwm = LoadSystemLibrary(L"dwmapi.dll");
        return dwm ? reinterpret_cast<GetAttribute>(
                         reinterpret_cast<void (*)()>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    constexpr DWORD kCloaked = 14; // DWMWA_CLOAKED
    DWORD cloaked = 0;
    return get && SUCCEEDED(get(window, kCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}
