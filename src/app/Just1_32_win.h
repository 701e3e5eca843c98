// Keeps a second copy of the program from running.
#pragma once

#include <windows.h>

#include <string>

// Made once when the program is loaded: the named mutex and whether another copy holds it.
class TPreviousInstance {
  public:
    TPreviousInstance();
    ~TPreviousInstance();
    TPreviousInstance(const TPreviousInstance&) = delete;
    TPreviousInstance& operator=(const TPreviousInstance&) = delete;

    bool PreviousInstance() const { return previous_; }
    const std::string& DerivedTitle() const { return derivedTitle_; }

  private:
    HANDLE mutex_ = nullptr;
    bool previous_ = false;
    std::string derivedTitle_;
};

// The second half of the check, made with the properties window. Returns true when this copy
// may run; false when it must end at once (nothing shown, read or logged).
bool TJustOne32(const TPreviousInstance& instance, const std::string& programDir);
