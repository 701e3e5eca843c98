#include "common/hexdigits.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(HexDigits, OneDigit) {
    const struct {
        char c;
        int value;
    } cases[] = {
        {'0', 0},
        {'9', 9},
        {'a', 10},
        {'f', 15},
        {'A', 10},
        {'F', 15},
        // The neighbours of each range in ASCII, and bytes past it.
        {'/', -1},
        {':', -1},
        {'`', -1},
        {'g', -1},
        {'@', -1},
        {'G', -1},
        {' ', -1},
        {'\0', -1},
        {'x', -1},
        {'\xC6', -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexDigitValue(c.c), c.value) << int(static_cast<unsigned char>(c.c));
}

TEST(HexDigits, UpToEightDigits) {
    const struct {
        const char* digits;
        bool ok;
        std::uint32_t value;
    } cases[] = {
        {"0", true, 0},
        {"1F", true, 0x1F},
        {"1f", true, 0x1F},
        {"7FFFFFFF", true, 0x7FFFFFFF},
        {"FFFFFFFF", true, 0xFFFFFFFF}, // the pattern; callers read it as -1
        {"00000001", true, 1},
        {"", false, 0},
        {"123456789", false, 0}, // nine digits, even with leading zeros
        {"000000001", false, 0},
        {"1G", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"-1", false, 0},
        {"0x1", false, 0},
    };
    for (const auto& c : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseHex32(c.digits, value), c.ok) << c.digits;
        EXPECT_EQ(value, c.ok ? c.value : 12345u) << c.digits;
    }
    // A NUL is a character like any other, not the end.
    std::uint32_t value = 0;
    EXPECT_FALSE(ParseHex32(std::string("1\0", 2), value));
}
