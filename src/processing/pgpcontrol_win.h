// PGP control on Windows: the system calls behind PgpPlatform.
#pragma once

#include "processing/pgpcontrol.h"

#include <windows.h>

#include <functional>
#include <string>

// WinHelpA as the help button calls it; tests put their own in place. Returns the one before;
// an empty hook puts WinHelpA back.
using WinHelpHook = std::function<BOOL(HWND, const char*, UINT, ULONG_PTR)>;
WinHelpHook SetWinHelpHook(WinHelpHook hook);

// Whether PGP's main program declares, in its version resource ("ClipboardText" = "Unicode"),
// that it takes the clipboard's text as CF_UNICODETEXT. PGP 5.x reads CF_TEXT only.
bool PgpTakesUnicode();
