// Windows the shell keeps off the screen although they count as visible.
#pragma once

#include <windows.h>

// DWMWA_CLOAKED: on another virtual desktop, or a suspended Store app. False where the system
// cannot tell (dwmapi.dll came with Vista, the attribute with Windows 8; Wine has neither).
bool IsCloakedWindow(HWND window);
