// Two things a driver checks before it starts on a window: that Windows lets it put text back
// there at all, and that copying by keys would not leave the message in the clipboard history.
#pragma once

#include <cstdint>
#include <optional>

namespace mfdpack {

// A process's mandatory integrity level, as Windows numbers it (0x1000 low, 0x2000 medium,
// 0x3000 high, 0x4000 system).
struct Integrity {
    enum class Known { Level, NoLevels, Unreadable } known = Known::Unreadable;
    std::uint32_t level = 0;
};

// Windows lets a lower level read a higher one's text but not type or paste into it, so such
// a window would fail only after the user chose recipients. A target whose token cannot be
// opened counts as higher; a system without levels (own token tells none) blocks nothing.
bool RightsAllowServing(const Integrity& own, const Integrity& target);

// The registry values that decide whether Windows keeps what is copied: the user's switches
// (HKCU\Software\Microsoft\Clipboard) and the machine's policies
// (HKLM\SOFTWARE\Policies\Microsoft\Windows\System); absent values are empty.
struct ClipboardSettings {
    std::optional<std::uint32_t> enableHistory;    // EnableClipboardHistory
    std::optional<std::uint32_t> enableCloud;      // EnableCloudClipboard
    std::optional<std::uint32_t> allowHistory;     // AllowClipboardHistory (policy)
    std::optional<std::uint32_t> allowCrossDevice; // AllowCrossDeviceClipboard (policy)
};

// Whether clipboard history or sync to other devices is on: a switch the user turned on that
// no policy forbids. Both are off until turned on.
bool ClipboardKeptByWindows(const ClipboardSettings& s);

// The user's answer, remembered: keys road with the history on, or never.
enum class KeysChoice { NotAsked, GoOn, KeepOff };
// The remembered value: 1 go on, 0 keep off, anything else not asked.
KeysChoice KeysChoiceOf(const std::optional<std::uint32_t>& stored);

enum class KeysRoad { Go, Ask, Refuse };
KeysRoad DecideKeysRoad(bool clipboardKept, KeysChoice remembered);

} // namespace mfdpack
