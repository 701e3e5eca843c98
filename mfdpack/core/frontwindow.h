// Which top-level window was in front when the user clicked Wextor 5's tray icon: the highest
// in Z order that a person could have been writing in.
#pragma once

#include "common/targetwindow.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mfdpack {

// What the shell tells about one top-level window.
struct WindowFacts {
    std::string title;
    std::string className;
    std::string processName; // the file name of the owning process's program, no folder
    bool visible = true;
    bool toolWindow = false; // WS_EX_TOOLWINDOW: palettes, tray pop-ups, no taskbar button
    bool noActivate = false; // WS_EX_NOACTIVATE: never active, so never written in (trays, docks)
    bool ownProcess = false; // the driver's own windows
    bool cloaked = false;    // kept off the screen by the shell: another desktop, a suspended app
};

// Wextor 5's, the shell's, tool windows, the driver's own, hidden ones and those without a
// title (nothing could find them again by their title) are passed over.
bool CanBeInFront(const WindowFacts& w);

// The index of the first window, in Z order from the top, that can be in front; npos when none.
constexpr std::size_t NoWindow = static_cast<std::size_t>(-1);
std::size_t PickFrontWindow(const std::vector<WindowFacts>& zOrder);

// Wextor 5 names the window the user last worked in (common/targetwindow.h).
using ::ParseTargetWindow;
using ::TargetWindowVariable;
// Whether the window Wextor 5 named is the one to read: it still exists, the user can see it,
// and it is neither the shell's nor Wextor's. Unlike the choice by Z order, a tool window or
// one without a title is taken as named.
bool TakesNamedWindow(bool exists, const WindowFacts& w);

// What Wextor looks for in window titles to see that the program runs: the title's first
// characters (UTF-8, at most 60 bytes, never part of a character), outer blanks trimmed.
// Wextor compares no more than the first 99 characters.
std::string TitleFragment(const std::string& title);

// A Short that no title holds, for a probe that finds nothing in front: an empty one would
// match every window.
extern const char* const NothingInFrontShort;

} // namespace mfdpack
