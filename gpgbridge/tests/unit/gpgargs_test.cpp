#include "gpgargs.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// How the C runtime splits the arguments after the program name (the 2008 and later rules,
// which CommandLineToArgvW shares for these cases).
Args SplitLikeCrt(const std::string& line) {
    Args args;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            return args;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\')
                ++backslashes, ++i;
            if (backslashes > 0 && (i == line.size() || line[i] != '"')) {
                arg.append(backslashes, '\\'); // literal; the loop test looks at what follows
                continue;
            }
            if (line[i] != '"') {
                arg += line[i++];
                continue;
            }
            arg.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1)
                arg += '"';
            else if (quoted && i + 1 < line.size() && line[i + 1] == '"')
                arg += '"', ++i;
            else
                quoted = !quoted;
            ++i;
        }
        args.push_back(arg);
    }
}

} // namespace

TEST(QuoteArgument, Table) {
    const char* cases[][2] = {
        {"", "\"\""},
        {"plain", "plain"},
        {"C:\\dir\\file.txt", "C:\\dir\\file.txt"}, // backslashes alone stay as they are
        {"a b", "\"a b\""},
        {"tab\there", "\"tab\there\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"\"", "\"\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
        {"C:\\Program Files\\", "\"C:\\Program Files\\\\\""},
        {"trail\\\\ x\\\\", "\"trail\\\\ x\\\\\\\\\""},
        {"Alice <alice@example.org>", "\"Alice <alice@example.org>\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuoteArgument(c[0]), c[1]) << c[0];
        EXPECT_EQ(SplitLikeCrt(QuoteArgument(c[0])), Args{c[0]}) << c[0];
    }
}

TEST(QuoteArgument, RoundTripsRandomArguments) {
    std::mt19937 random(20261208);
    const char alphabet[] = "ab \t\\\"";
    for (int round = 0; round < 2000; ++round) {
        Args args(1 + random() % 4);
        for (std::string& arg : args)
            for (unsigned n = random() % 8; n > 0; --n)
                arg += alphabet[random() % (sizeof alphabet - 1)];
        std::string line;
        for (const std::string& arg : args)
            line += (line.empty() ? "" : " ") + QuoteArgument(arg);
        ASSERT_EQ(SplitLikeCrt(line), args) << line;
    }
}

TEST(JoinCommandLine, ProgramIsQuotedWithoutEscapes) {
    EXPECT_EQ(JoinCommandLine("C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe",
                              {"--decrypt", "-r", "Alice Smith", ""}),
              "\"C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe\" --decrypt -r \"Alice Smith\" \"\"");
    EXPECT_EQ(JoinCommandLine("gpg.exe", {}), "gpg.exe");
}

TEST(GpgArgs, CommandLines) {
    struct Case {
        Args actual, expected;
    } cases[] = {
        {CommonArgs(),
         {"--batch", "--no-tty", "--yes", "--utf8-strings", "--display-charset", "utf-8",
          "--status-fd", "2"}},
        {EncryptArgs({"AAAA", "BBBB"}, false, "CCCC", false),
         {"--armor", "--encrypt", "-r", "AAAA", "-r", "BBBB"}},
        {EncryptArgs({"AAAA"}, true, "", true),
         {"--armor", "--encrypt", "-r", "AAAA", "--sign", "--trust-model", "always"}},
        {EncryptArgs({}, true, "CCCC", false), {"--armor", "--encrypt", "--sign", "-u", "CCCC"}},
        {ClearSignArgs(""), {"--armor", "--clearsign"}},
        {ClearSignArgs("CCCC"), {"--armor", "--clearsign", "-u", "CCCC"}},
        {ListKeysArgs(false), {"--with-colons", "--fixed-list-mode", "--list-keys"}},
        {ListKeysArgs(true), {"--with-colons", "--fixed-list-mode", "--list-secret-keys"}},
        {ShowKeysArgs(),
         {"--with-colons", "--fixed-list-mode", "--import-options", "show-only", "--import"}},
        {DecryptArgs(), {"--decrypt"}},
        {ImportArgs(), {"--import"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << JoinCommandLine("gpg", c.expected);
}
