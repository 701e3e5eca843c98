#include "drivers/mfdcaller.h"
#include "processing/PGPMain.h"

#include <gtest/gtest.h>

namespace {
const std::string kMessage = "-----BEGIN PGP MESSAGE-----\r\nqANQ\r\n-----END PGP MESSAGE-----\r\n";
const std::string kKey = "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nmQGi\r\n"
                         "-----END PGP PUBLIC KEY BLOCK-----\r\n";
} // namespace

TEST(PGPMainTexts, Exact) {
    EXPECT_EQ(StaleCommandText(),
              "A previous run of Wextor 5 appears to be active and a PGP dialog present. We "
              "suggest using alt-TAB to find the relevant PGP dialog\r\n\nIf you use the Ignore "
              "button, you may encounter errors");
    EXPECT_STREQ(NoDataText, "Couldn't get data from your e-mail program");
    EXPECT_STREQ(PostWarningText,
                 "You have opted to encrypt a message to a mailing list or newsgroup. This is not "
                 "usually appropriate conduct. Are you sure you want to do this?");
}

TEST(LacksMailData, KindOrBodyIsEnough) {
    struct Case {
        int wtype;
        const char* body;
        bool lacks;
    } cases[] = {{0, "", true},  {0, "x", false}, {1, "", false}, {2, "", false},
                 {8, "", false}, {4, "", true},   {16, "", true}, {4, "b", false}};
    for (const Case& c : cases) {
        TMFDData m;
        m.Wtype = c.wtype;
        m.Body = c.body;
        m.HasBody = !m.Body.empty();
        EXPECT_EQ(LacksMailData(m), c.lacks) << c.wtype << " '" << c.body << "'";
    }
}

TEST(HoldsWrappedKey, ChangedKeyNotIgnored) {
    struct Case {
        bool ignore;
        std::string before, after;
        bool expected;
    } cases[] = {
        {false, kMessage, "plain\r\n" + kKey, true},
        {true, kMessage, "plain\r\n" + kKey, false},
        {false, kKey, kKey, false},            // unchanged
        {false, kMessage, "plain\r\n", false}, // no key
        {false, kMessage, " " + kKey, false},  // not at a line start
    };
    for (const Case& c : cases)
        EXPECT_EQ(HoldsWrappedKey(c.ignore, c.before, c.after), c.expected) << c.after;
}

TEST(PgpLeftResult, ChangedAndArmoured) {
    EXPECT_TRUE(PgpLeftResult("body", kMessage));
    EXPECT_FALSE(PgpLeftResult(kMessage, kMessage));
    EXPECT_FALSE(PgpLeftResult("body", "other text"));
    EXPECT_FALSE(PgpLeftResult("body", ""));
}

TEST(UnfitBodyText, NulAndSizeLimit) {
    const struct {
        std::string body;
        const char* says; // empty: fit
    } cases[] = {
        {"plain text\r\n", ""},
        {std::string("ab\0cd", 5), "zero byte (at position 3)"},
        {std::string(MaxMessageBytes, 'x'), ""},
        {std::string(MaxMessageBytes + 1, 'x'), "16777217 bytes long"},
        {std::string(1, '\0'), "position 1"},
    };
    for (const auto& c : cases) {
        const std::string text = UnfitBodyText(c.body);
        if (*c.says == 0)
            EXPECT_EQ(text, "") << c.body.size();
        else
            EXPECT_NE(text.find(c.says), std::string::npos) << text;
    }
}

TEST(OutgoingFailureText, SignOrEncrypt) {
    EXPECT_EQ(OutgoingFailureText("-AutoSign"), "PGP failed to sign!!!");
    EXPECT_EQ(OutgoingFailureText("-AutoEncrypt"), "PGP failed to encrypt!!!");
    EXPECT_EQ(OutgoingFailureText("-AutoEncryptSign"), "PGP failed to encrypt!!!");
}

TEST(ResultMessage, OnlyTheBody) {
    const std::string text = BuildMfdText(ResultMessage("Out\r\n"));
    EXPECT_EQ(text,
              "MFD-Protocol-Version: 0\r\nWrap-Column: 0\r\nWtype: 0\r\nInformation: \r\n"
              "Command: 0\r\nLacking: 0\r\nMFD-State: \r\nDefault-Mail-Domain: \r\n\r\nOut\r\n");
}

TEST(PgpMain, BodyOfALongFileIsJudgedFromItsHead) {
    struct Case {
        unsigned long long fileBytes;
        std::string head;
        unsigned long long body;
    } cases[] = {
        {17000200, "Wtype: 1\r\nInformation: x\r\n\r\nAll work", 17000200 - 28},
        {5000000000ULL, "no empty line in the head", 5000000000ULL}, // all of it counts
        {10, "A: b\r\n\r\n", 2},
        {4, "\r\n\r\n", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BodyBytesOfFile(c.fileBytes, c.head), c.body) << c.head;
}
