#include "processing/textcode.h"
#include "drivers/mfdfile.h"
#include "support/codepage.h"
#include "support/textfile.h"
#include "support/utf8.h"

#include <gtest/gtest.h>

namespace {

// "Grüße — 5 €" in Windows-1252, and the same in UTF-8.
const std::string kLatinAnsi = "Gr\xFC\xDF"
                               "e \x97 5 \x80";
const std::string kLatinUtf8 = "Grüße — 5 €";
const std::string kWorld = "Привет, Боб! Ελληνικά. 你好，世界。 😀";

bool Is1252() {
    return platform::AnsiCodePage() == 1252;
}

TEST(Utf8, CodePointsOfValidAndBrokenSequences) {
    struct Case {
        std::string bytes;
        std::vector<char32_t> points;
    } cases[] = {
        {"A\xC3\xBC", {U'A', 0xFC}},
        {"\xF0\x9F\x98\x80", {0x1F600}},
        {"\xC3", {0xFFFD}},                         // cut short
        {"\xC0\xAF", {0xFFFD, 0xFFFD}},             // overlong "/"
        {"\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}}, // a surrogate
        {"\xE2\x82x", {0xFFFD, 0xFFFD, U'x'}},      // a continuation missing
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodePointsOfUtf8(c.bytes), c.points) << c.bytes;
    std::string again;
    for (char32_t c : CodePointsOfUtf8(kWorld))
        AppendUtf8(again, c);
    EXPECT_EQ(again, kWorld);
}

TEST(Utf8, CharacterListNamesEachAndCountsTheRest) {
    EXPECT_EQ(CharacterList({0x416, 0x1F600}), "“Ж” (U+0416), “😀” (U+1F600)");
    EXPECT_EQ(CharacterList({U'a', U'b', U'c'}, 2), "“a” (U+0061), “b” (U+0062) and 1 more");
}

TEST(TextCode, AnsiMessageBecomesUtf8AndADeclaredOneStays) {
    if (!Is1252())
        GTEST_SKIP() << "the samples are Windows-1252";
    TMFDData ansi;
    ansi.Body = kLatinAnsi;
    ansi.Subject = "\xC4rger";
    ansi.Information = "Caf\xE9";
    MessageToUtf8(ansi);
    EXPECT_EQ(ansi.Body, kLatinUtf8);
    EXPECT_EQ(ansi.Subject, "Ärger");
    EXPECT_EQ(ansi.Information, "Café");

    TMFDData declared;
    declared.Charset = "utf-8";
    declared.Body = kWorld;
    MessageToUtf8(declared);
    EXPECT_EQ(declared.Body, kWorld);
}

TEST(TextCode, PgpRefusalOnlyWhereTheCodePageFails) {
    if (!Is1252())
        GTEST_SKIP() << "the samples are Windows-1252";
    EXPECT_EQ(PgpUnfitText(kLatinUtf8, false), "");
    EXPECT_EQ(PgpUnfitText(kWorld, true), "");
    const std::string refusal = PgpUnfitText("ok Ж ok Ж 😀", false);
    EXPECT_NE(refusal.find("“Ж” (U+0416), “😀” (U+1F600)."), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("code page 1252"), std::string::npos);
    EXPECT_NE(refusal.find("Nothing has been changed"), std::string::npos);
}

TEST(TextCode, ResultForEachKindOfDriver) {
    if (!Is1252())
        GTEST_SKIP() << "the samples are Windows-1252";
    struct Case {
        const char* what;
        std::string body;
        bool utf8Driver;
        bool refused;
        std::string bodyAfter;
        std::string charsetAfter;
    } cases[] = {
        {"a declared driver gets UTF-8", kWorld, true, false, kWorld, "UTF-8"},
        {"an older one the code page", kLatinUtf8, false, false, kLatinAnsi, ""},
        {"plain armour unchanged", "-----BEGIN PGP MESSAGE-----", false, false,
         "-----BEGIN PGP MESSAGE-----", ""},
        {"what it cannot carry is refused", kWorld, false, true, kWorld, ""},
    };
    for (const Case& c : cases) {
        TMFDData m;
        m.Body = c.body;
        m.HasBody = true;
        const std::string why = EncodeForDriver(m, c.utf8Driver, "OLDMFD.EXE");
        EXPECT_EQ(!why.empty(), c.refused) << c.what;
        EXPECT_EQ(m.Body, c.bodyAfter) << c.what;
        EXPECT_EQ(m.Charset, c.charsetAfter) << c.what;
        if (c.refused) {
            EXPECT_NE(why.find("OLDMFD.EXE"), std::string::npos) << why;
            EXPECT_NE(why.find("the result is on the clipboard"), std::string::npos) << why;
        }
    }
}

TEST(TextCode, DeclarationSurvivesTheFileAndOnlyWhenGiven) {
    TMFDData m;
    m.Body = kWorld;
    m.HasBody = true;
    const std::string plain = BuildMfdText(m);
    EXPECT_EQ(plain.find("MFD-Charset"), std::string::npos);
    m.Charset = MfdCharsetUtf8;
    const std::string text = BuildMfdText(m);
    EXPECT_NE(text.find("Default-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\n" + kWorld),
              std::string::npos);
    TMFDData back;
    ParseMfdText(text, back);
    EXPECT_TRUE(DeclaresUtf8(back));
    EXPECT_EQ(back, m);

    struct Case {
        const char* header;
        bool utf8;
    } cases[] = {{"mfd-charset: utf-8\r\n", true},
                 {"MFD-Charset:   UTF-8  \r\n", true},
                 {"MFD-Charset: windows-1252\r\n", false},
                 {"  MFD-Charset: UTF-8\r\n", false}, // not at a line start
                 {"Wtype: 1\r\n", false}};
    for (const Case& c : cases) {
        TMFDData parsed;
        ParseMfdText(std::string("Wtype: 1\r\n") + c.header + "\r\nbody", parsed);
        EXPECT_EQ(DeclaresUtf8(parsed), c.utf8) << c.header;
    }
    TMFDData inBody;
    ParseMfdText("Wtype: 1\r\n\r\nMFD-Charset: UTF-8\r\n", inBody);
    EXPECT_FALSE(DeclaresUtf8(inBody));
}

TEST(TextFile, OlderFilesReadAndTheCodePageKeptWhereItFits) {
    if (!Is1252())
        GTEST_SKIP() << "the samples are Windows-1252";
    struct Case {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"list@example.org\r\n", "list@example.org\r\n"},   // as it always was
        {"ä@x.de\r\n", "\xE4@x.de\r\n"},                    // the code page carries it
        {"Ж@пример.рф\r\n", "\xEF\xBB\xBFЖ@пример.рф\r\n"}, // it does not: UTF-8
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextFileBytes(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(TextFileToUtf8(c.bytes), c.utf8) << c.utf8;
    }
}

} // namespace
