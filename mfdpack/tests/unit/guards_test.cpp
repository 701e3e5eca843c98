#include "guards.h"

#include <gtest/gtest.h>

using mfdpack::ClipboardSettings;
using mfdpack::Integrity;
using mfdpack::KeysChoice;
using mfdpack::KeysRoad;

namespace {

constexpr std::uint32_t kLow = 0x1000, kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;

Integrity Level(std::uint32_t level) {
    return {Integrity::Known::Level, level};
}
const Integrity kNoLevels = {Integrity::Known::NoLevels, 0};
const Integrity kUnreadable = {Integrity::Known::Unreadable, 0};

} // namespace

TEST(Guards, AWindowOfHigherRightsIsRefused) {
    const struct {
        const char* what;
        Integrity own, target;
        bool serve;
    } cases[] = {
        {"medium serves medium", Level(kMedium), Level(kMedium), true},
        {"medium serves low (a sandboxed browser)", Level(kMedium), Level(kLow), true},
        {"elevated serves medium", Level(kHigh), Level(kMedium), true},
        {"medium, an elevated program", Level(kMedium), Level(kHigh), false},
        {"medium, a system process", Level(kMedium), Level(kSystem), false},
        {"elevated, a system process", Level(kHigh), Level(kSystem), false},
        {"a token that cannot be opened", Level(kMedium), kUnreadable, false},
        {"even when elevated", Level(kHigh), kUnreadable, false},
        {"own level unknown", kUnreadable, Level(kMedium), false},
        {"a system without levels", kNoLevels, kUnreadable, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::RightsAllowServing(c.own, c.target), c.serve) << c.what;
}

TEST(Guards, ClipboardHistoryOrSyncOnUnlessAPolicyForbidsIt) {
    using V = std::optional<std::uint32_t>;
    const V none, off = 0u, on = 1u;
    const struct {
        const char* what;
        ClipboardSettings s;
        bool kept;
    } cases[] = {
        {"nothing set: both off", {none, none, none, none}, false},
        {"both turned off", {off, off, none, none}, false},
        {"history on", {on, none, none, none}, true},
        {"sync on", {none, on, none, none}, true},
        {"history on, policy allows", {on, none, on, none}, true},
        {"history on, policy forbids", {on, none, off, none}, false},
        {"sync on, policy forbids", {none, on, none, off}, false},
        {"history forbidden, sync still on", {on, on, off, none}, true},
        {"both forbidden", {on, on, off, off}, false},
        {"a policy alone turns nothing on", {none, none, on, on}, false},
        {"any non-zero switch counts", {V(2u), none, none, none}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::ClipboardKeptByWindows(c.s), c.kept) << c.what;
}

TEST(Guards, TheKeysRoadAsksOnceWhenWindowsKeepsTheClipboard) {
    const struct {
        std::optional<std::uint32_t> stored;
        bool kept;
        KeysRoad road;
    } cases[] = {
        {std::nullopt, false, KeysRoad::Go}, {0u, false, KeysRoad::Go},
        {std::nullopt, true, KeysRoad::Ask}, {1u, true, KeysRoad::Go},
        {0u, true, KeysRoad::Refuse},        {7u, true, KeysRoad::Ask},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::DecideKeysRoad(c.kept, mfdpack::KeysChoiceOf(c.stored)), c.road)
            << (c.stored ? static_cast<int>(*c.stored) : -1) << " kept " << c.kept;
}
