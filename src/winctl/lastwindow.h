// The window the user last worked in, before a click on the tray icon (or a shortcut) made
// another one the foreground window: the rule which windows count, the short memory of them, and
// how a driver is told which one it is.
#pragma once

#include "common/targetwindow.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the system tells about a window that became the foreground window.
struct ForegroundFacts {
    std::string className;
    std::string title;
    bool ownProcess = false; // Wextor 5's own windows: the properties, "PGP Running", boxes
    bool cloaked = false;    // on another virtual desktop, or a suspended app
    bool visible = true;
};

// Whether the user could have been writing in it: not Wextor's own, not the shell's (taskbar,
// tray and its overflow, desktop, task switcher, Start), neither cloaked nor hidden.
bool CountsAsUserWindow(const ForegroundFacts& w);

// The last few windows that counted, newest first, each once. A window that is gone by the
// time it is asked for gives way to the one before it (the user closed a dialog, say).
class UserWindowHistory {
  public:
    static constexpr std::size_t Depth = 8;
    void Saw(std::uintptr_t window);
    // The newest that still passes; 0 when none does.
    std::uintptr_t Latest(const std::function<bool(std::uintptr_t)>& stillUsable) const;

  private:
    std::vector<std::uintptr_t> windows_;
};

// An environment ("NAME=value" entries) with the variable set: an entry of that name (letter
// case ignored) replaced, else a new one placed in order, as Windows keeps them sorted.
std::vector<std::string> WithVariable(std::vector<std::string> environment, const std::string& name,
                                      const std::string& value);
