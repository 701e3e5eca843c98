#include "common/VBVal.h"
#include "common/blanks.h"
#include "support/command.h"
#include "support/fields.h"
#include "support/fileutil.h"
#include "support/placefrm.h"
#include "support/replace.h"

#include <gtest/gtest.h>

TEST(Replace, AtFirstAll) {
    EXPECT_EQ(ReplaceAt("X", "abcdef", 3, 2), "abXef");
    EXPECT_EQ(ReplaceAt("X", "abcdef", 1, 0), "Xabcdef");
    EXPECT_EQ(ReplaceAt("X", "abc", 3, 5), "abX");
    EXPECT_EQ(ReplaceFirst("b", "abcb", ""), "acb");
    EXPECT_EQ(ReplaceFirst("z", "abc", "y"), "abc");
    struct Case {
        const char *pattern, *text, *replacement, *expected;
    } cases[] = {
        {"  ", "a    b", " ", "a b"},
        {"x", "abc", "y", "abc"},
        {"ab", "aabb", "", ""},     // "aabb" -> "ab" -> ""
        {"ab", "abb", "xa", "xxa"}, // formed across the edge of the replacement
        {"\n -----BEGIN PGP ", "x\n -----BEGIN PGP M\n -----BEGIN PGP S", "\n-----BEGIN PGP ",
         "x\n-----BEGIN PGP M\n-----BEGIN PGP S"},
        {"aa", "aaaaaaa", "a", "a"},
        {"", "abc", "x", "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.pattern, c.text, c.replacement), c.expected)
            << "pattern '" << c.pattern << "' in '" << c.text << "'";
}

// The linear ReplaceAll must give what the naive restart-from-the-start loop gives.
TEST(Replace, AllMatchesNaiveLoop) {
    const char* patterns[] = {"ab", "aa", "aba", "  ", "b"};
    const char* replacements[] = {"", "a", "b", "xa", "ba", "c"};
    unsigned seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int len = static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % 12;
        for (int i = 0; i < len; ++i)
            text += "ab "[((seed = seed * 1103515245u + 12345u) >> 16) % 3];
        const std::string pattern = patterns[round % 5];
        const std::string replacement = replacements[(round / 5) % 6];
        if (replacement.find(pattern) != std::string::npos)
            continue;
        std::string naive = text;
        for (int guard = 0; guard < 1000 && naive.find(pattern) != std::string::npos; ++guard)
            naive = ReplaceFirst(pattern, naive, replacement);
        EXPECT_EQ(ReplaceAll(pattern, text, replacement), naive)
            << "pattern '" << pattern << "' text '" << text << "' repl '" << replacement << "'";
    }
}

TEST(SafeStrToInt, Table) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {" 42 ", 42},
        {"-7", -7},
        {"+9", 9},
        {"12abc", 0},
        {"", 0},
        {"99999999999", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", INT32_MIN},
        {"-2147483649", 0},
        {"-", 0},
        {"+", 0},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$123456789", 0},
        {"$", 0},
        {"$g", 0},
        {"\t\r\n 5\r", 5},
        {"1 2", 0},
        {"0x10", 0},
        {"--1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafeStrToInt(c.text), c.expected) << "for '" << c.text << "'";
}

TEST(ExtractField, Table) {
    EXPECT_EQ(ExtractField("a!b!c", 2), "b");
    EXPECT_EQ(ExtractField("a!b!c", 4), "");
    EXPECT_EQ(ExtractField("a!b!c", 0), "");
    EXPECT_EQ(ExtractField("a!!c", 2), "");
    EXPECT_EQ(ExtractField("a!!c", 3), "c");
    EXPECT_EQ(ExtractField("", 1), "");
}

TEST(PlatformName, Table) {
    EXPECT_EQ(PlatformName(0), "Win32s");
    EXPECT_EQ(PlatformName(1), "Win95/98");
    EXPECT_EQ(PlatformName(2), "WinNT");
    EXPECT_EQ(PlatformName(3), "Unkown Platform #3");
    EXPECT_EQ(PlatformName(-1), "Unkown Platform #-1");
    // A readable line: the service pack after a blank, the product named.
    struct Case {
        unsigned major, minor, build;
        int platform;
        std::string sp, text;
    } cases[] = {
        {6, 1, 0x1D9B1DB1u, 2, std::string("Service Pack 1\0junk", 19),
         "6.1.7601 WinNT Service Pack 1 (Windows 7)"},
        {10, 0, 19045, 2, "", "10.0.19045 WinNT (Windows 10)"},
        {10, 0, 22631, 2, "", "10.0.22631 WinNT (Windows 11)"},
        {6, 3, 9600, 2, "", "6.3.9600 WinNT (Windows 8.1)"},
        {5, 1, 2600, 2, "Service Pack 3", "5.1.2600 WinNT Service Pack 3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatWindowsVersion(c.major, c.minor, c.build, c.platform, c.sp), c.text);
}

TEST(CommandLine, SplitAndJoin) {
    EXPECT_EQ(JoinArguments(SplitCommandLine("prog /s /i")).substr(4), "/s/i");
    const auto args = SplitCommandLine("\"C:\\Program Files\\W.exe\" /s \"a b\"c \"\"");
    ASSERT_EQ(args.size(), 4u);
    EXPECT_EQ(args[0], "C:\\Program Files\\W.exe");
    EXPECT_EQ(args[2], "a bc");
    EXPECT_EQ(args[3], "");
    EXPECT_EQ(JoinArguments({}), "");
}

TEST(PlaceForm, EdgesRoundHalfToEven) {
    EXPECT_EQ(PlacedEdge(1024, 200, 0), 0);
    EXPECT_EQ(PlacedEdge(1024, 200, 10000), 824);
    EXPECT_EQ(PlacedEdge(1024, 201, 5000), 412); // 411.5 -> 412
    EXPECT_EQ(PlacedEdge(1024, 203, 5000), 410); // 410.5 -> 410
    EXPECT_EQ(PlacedEdge(1000, 100, 3300), 297);
    EXPECT_EQ(PlacedEdge(100, 200, 5000), -50); // larger than the screen
}

TEST(TrimBlankOrControl, BothEndsOnly) {
    const struct {
        std::string text, expected;
    } cases[] = {{" \t a b \r\n", "a b"},
                 {"", ""},
                 {"\x01\x20", ""},
                 {"x", "x"},
                 {"\x7f!\x7f", "\x7f!\x7f"}}; // DEL is no control character here
    for (const auto& c : cases) {
        std::size_t b = 0, e = c.text.size();
        TrimBlankOrControl(c.text, b, e);
        EXPECT_EQ(c.text.substr(b, e - b), c.expected);
    }
}
