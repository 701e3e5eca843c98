// PGP control on Windows: the system calls behind PgpPlatform.
#pragma once

#include "processing/pgpcontrol.h"

#include <windows.h>

#include <functional>
#include <string>

// How the help button hands PGP's .hlp file to the shell (ShellExecuteW "open"); tests put
// their own in place. True when it was opened. Returns the one before; an empty hook puts the
// shell back. A .chm goes to HTML Help, whose hook is SetHelpHook's.
using ShellOpenHook = std::function<bool(HWND owner, const std::string& file)>;
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);

// Whether PGP's main program declares, in its version resource ("ClipboardText" = "Unicode"),
// that it takes the clipboard's text as CF_UNICODETEXT. PGP 5.x reads CF_TEXT only.
bool PgpTakesUnicode();
