#include "processing/armour.h"
#include "support/replace.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

void PrintTo(const ArmourFlags& f, std::ostream* os) {
    *os << "{Any=" << f.AnyBlock << " Key=" << f.KeyBlock << " Signed=" << f.SignedBlock
        << " Message=" << f.MessageBlock << "}";
}

namespace {

ArmourFlags Flags(bool any, bool key, bool sign, bool message) {
    ArmourFlags f;
    f.AnyBlock = any, f.KeyBlock = key, f.SignedBlock = sign, f.MessageBlock = message;
    return f;
}

const std::string kMessage = "-----BEGIN PGP MESSAGE-----\r\nVersion: 5.0\r\n\r\nqANQR1DBwU4D\r\n"
                             "-----END PGP MESSAGE-----\r\n";
const std::string kKey = "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nmQGiBD\r\n"
                         "-----END PGP PUBLIC KEY BLOCK-----\r\n";
const std::string kSigned = "-----BEGIN PGP SIGNED MESSAGE-----\r\n\r\nHello\r\n"
                            "-----BEGIN PGP SIGNATURE-----\r\niQA/AwUB\r\n"
                            "-----END PGP SIGNATURE-----\r\n";

// Each line that starts with "-----" indented by `blanks`.
std::string Indented(const std::string& text, int blanks) {
    std::string out, pad(static_cast<std::size_t>(blanks), ' ');
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((i == 0 || text[i - 1] == '\n') && text.compare(i, 5, "-----") == 0)
            out += pad;
        out += text[i];
    }
    return out;
}

// What the unindent does, step by step with ReplaceAll.
std::string UnindentByReplaceAll(std::string text) {
    if (text.compare(0, 16, " -----BEGIN PGP ") == 0)
        text.erase(0, 1);
    text = ReplaceAll("\n -----BEGIN PGP ", text, "\n-----BEGIN PGP ");
    return ReplaceAll("\n -----END PGP ", text, "\n-----END PGP ");
}

} // namespace

TEST(ClassifyArmour, Table) {
    struct Case {
        const char* name;
        std::string text;
        ArmourFlags expected;
    } cases[] = {
        {"empty", "", Flags(false, false, false, false)},
        {"plain text", "Hello\r\nBEGIN PGP\r\n", Flags(false, false, false, false)},
        {"message at the very start", kMessage, Flags(true, false, false, true)},
        {"message after text", "Hi\r\n" + kMessage + "Bye", Flags(true, false, false, true)},
        {"key", kKey, Flags(true, true, false, false)},
        {"clear-signed", kSigned, Flags(true, false, true, false)},
        {"key then message", kKey + "\r\n" + kMessage, Flags(true, true, false, true)},
        {"all kinds", kSigned + kKey + kMessage, Flags(true, true, true, true)},
        {"begin without end", "-----BEGIN PGP MESSAGE-----\r\nabc\r\n",
         Flags(false, false, false, false)},
        {"end without begin", "abc\r\n-----END PGP MESSAGE-----\r\n",
         Flags(false, false, false, false)},
        {"end before begin", "-----END PGP MESSAGE-----\r\nx\r\n-----BEGIN PGP MESSAGE-----\r\n",
         Flags(true, false, false, true)},
        {"lower case", "-----begin pgp message-----\r\n-----end pgp message-----\r\n",
         Flags(false, false, false, false)},
        {"mid-line markers", "x -----BEGIN PGP MESSAGE-----\r\nx -----END PGP MESSAGE-----\r\n",
         Flags(false, false, false, false)},
        {"LF-only lines", "a\n-----BEGIN PGP MESSAGE-----\nb\n-----END PGP MESSAGE-----",
         Flags(true, false, false, true)},
        {"CR alone is no line start", "a\r-----BEGIN PGP MESSAGE-----\r-----END PGP MESSAGE-----",
         Flags(false, false, false, false)},
        {"begin and end of different kinds",
         "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\n-----END PGP MESSAGE-----\r\n",
         Flags(true, false, false, false)},
        {"bare markers", "-----BEGIN PGP\n-----END PGP", Flags(true, false, false, false)},
        {"indented by one blank", Indented(kMessage + kKey, 1), Flags(false, false, false, false)},
        {"NUL bytes", std::string("\0\n", 2) + kMessage + std::string("\0", 1),
         Flags(true, false, false, true)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyArmour(c.text), c.expected) << c.name;
}

TEST(UnindentArmour, Table) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"empty", "", ""},
        {"no armour", "Hello\r\n  world\r\n", "Hello\r\n  world\r\n"},
        {"one blank", Indented(kMessage, 1), kMessage},
        {"signed, inner lines kept", Indented(kSigned, 1) + " body\r\n", kSigned + " body\r\n"},
        {"two blanks stay", Indented(kMessage, 2), Indented(kMessage, 2)},
        {"leading blank of a begin line", " -----BEGIN PGP MESSAGE-----",
         "-----BEGIN PGP MESSAGE-----"},
        {"leading blank of an end line stays", " -----END PGP MESSAGE-----",
         " -----END PGP MESSAGE-----"},
        {"other leading character", "x-----BEGIN PGP MESSAGE-----", "x-----BEGIN PGP MESSAGE-----"},
        {"marker needs its blank", "\n -----BEGIN PGP\n -----END PGPX",
         "\n -----BEGIN PGP\n -----END PGPX"},
        {"tab is not a blank", "\n\t-----BEGIN PGP M", "\n\t-----BEGIN PGP M"},
        {"LF-only lines", "a\n -----BEGIN PGP M\nb\n -----END PGP M\n",
         "a\n-----BEGIN PGP M\nb\n-----END PGP M\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnindentArmour(c.text), c.expected) << c.name;
}

TEST(UnindentArmour, IndentedArmourClassifiesAfterUnindent) {
    for (const std::string& text : {kMessage, kKey, kSigned, kKey + kMessage}) {
        EXPECT_EQ(ClassifyArmour(UnindentArmour(Indented(text, 1))), ClassifyArmour(text));
        EXPECT_EQ(ClassifyArmour(UnindentArmour(Indented(text, 2))),
                  Flags(false, false, false, false));
    }
}

// The one-walk unindent must agree with the ReplaceAll steps on texts dense in near-misses.
TEST(UnindentArmour, AgreesWithReplaceAllSteps) {
    const char* pieces[] = {
        " ", "\n",  "\r\n",           "-----BEGIN PGP ", "-----END PGP ", "-----BEGIN PGP",
        "x", "\n ", " -----END PGP ", "MESSAGE",         "PUBLIC KEY",    "-"};
    std::mt19937 random(7);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int n = static_cast<int>(random() % 14);
        for (int i = 0; i < n; ++i)
            text += pieces[random() % (sizeof pieces / sizeof *pieces)];
        const std::string expected = UnindentByReplaceAll(text);
        EXPECT_EQ(UnindentArmour(text), expected) << "'" << text << "'";
        std::string inPlace = text;
        EXPECT_EQ(UnindentArmourInPlace(inPlace), ClassifyArmour(expected)) << "'" << text << "'";
        EXPECT_EQ(inPlace, expected);
    }
}
