#include "guards.h"

namespace mfdpack {

bool RightsAllowServing(const Integrity& own, const Integrity& target) {
    if (own.known == Integrity::Known::NoLevels)
        return true;
    // Not knowing either side means not knowing whether the write would be blocked.
    if (own.known != Integrity::Known::Level || target.known != Integrity::Known::Level)
        return false;
    return target.level <= own.level;
}

namespace {
bool On(const std::optional<std::uint32_t>& v) {
    return v && *v != 0;
}
bool Forbidden(const std::optional<std::uint32_t>& policy) {
    return policy && *policy == 0;
}
} // namespace

bool ClipboardKeptByWindows(const ClipboardSettings& s) {
    return (On(s.enableHistory) && !Forbidden(s.allowHistory)) ||
           (On(s.enableCloud) && !Forbidden(s.allowCrossDevice));
}

KeysChoice KeysChoiceOf(const std::optional<std::uint32_t>& stored) {
    if (!stored)
        return KeysChoice::NotAsked;
    if (*stored == 1)
        return KeysChoice::GoOn;
    return *stored == 0 ? KeysChoice::KeepOff : KeysChoice::NotAsked;
}

KeysRoad DecideKeysRoad(bool clipboardKept, KeysChoice remembered) {
    if (!clipboardKept)
        return KeysRoad::Go;
    switch (remembered) {
    case KeysChoice::GoOn:
        return KeysRoad::Go;
    case KeysChoice::KeepOff:
        return KeysRoad::Refuse;
    case KeysChoice::NotAsked:
        break;
    }
    return KeysRoad::Ask;
}

} // namespace mfdpack
