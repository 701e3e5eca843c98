// The window search over the real desktop.
#pragma once

#include "winctl/winop.h"

#include <string>

// One window against the criteria; on success it becomes the result unless one was found before.
void TestWindow(WindowSearch& search, WindowHandle w, const WINDOW& criteria);
// Tests every descendant of w, depth first, siblings in Z order; complains about deep nesting.
void WalkChildWindows(WindowSearch& search, WindowHandle w, const WINDOW& criteria);
// The first window on the anchor's desktop, top-level windows in Z order each before its
// descendants, that meets the criteria; nullptr when none does. Any window of the program
// anchors the same walk; without an anchor the walk starts at the top of the desktop.
WindowHandle SearchWindows(const WINDOW& criteria, WindowHandle anchor);
// Title (at most 99 characters) of the first window whose own title contains text; empty when
// there is none.
std::string FindWindowTitle(const std::string& text, WindowHandle anchor);
