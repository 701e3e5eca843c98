// The window a "read File=" took its text from, remembered for the "Write File=" that follows
// (a separate run of the driver): its handle, its process and the process's start, so that a
// handle or a process id that Windows gave out again cannot pass. Nothing of the message.
#pragma once

#include <cstdint>
#include <string>

namespace mfdpack {

struct TargetRecord {
    std::uint64_t window = 0;       // the top-level window's handle
    std::uint32_t processId = 0;    // its process
    std::uint64_t processStart = 0; // that process's creation time (FILETIME); 0 when unknown
};

// "Window=...", "Process=...", "Started=..." lines, decimal, CR LF.
std::string TargetText(const TargetRecord& target);
// False for anything else than the three lines with values: such a record names no window.
bool ParseTargetText(const std::string& text, TargetRecord& target);

// What the remembered handle names now.
struct WindowNow {
    bool exists = false;
    bool visible = false;
    std::uint32_t processId = 0;
    std::uint64_t processStart = 0; // 0 when the process could not be asked
};

// Whether the window now is the one that was read: still there and shown, the same process,
// started at the same moment. An unknown start time never matches.
bool SameTarget(const TargetRecord& then, const WindowNow& now);

} // namespace mfdpack
