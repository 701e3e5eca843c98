#include "app/global.h"
#include "processing/opchoice.h"

#include <gtest/gtest.h>

namespace {

const std::string kMessage = "-----BEGIN PGP MESSAGE-----\r\nqANQR1DBwU4D\r\n"
                             "-----END PGP MESSAGE-----\r\n";
const std::string kKey = "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nmQGiBD\r\n"
                         "-----END PGP PUBLIC KEY BLOCK-----\r\n";
const std::string kSigned = "-----BEGIN PGP SIGNED MESSAGE-----\r\n\r\nHi\r\n"
                            "-----BEGIN PGP SIGNATURE-----\r\niQA/AwUB\r\n"
                            "-----END PGP SIGNATURE-----\r\n";
const std::string kIndentedMessage = " -----BEGIN PGP MESSAGE-----\r\nqANQR1DBwU4D\r\n"
                                     " -----END PGP MESSAGE-----\r\n";

enum Mode { None = -1, Encrypt = 0, Sign = 1, EncryptSign = 2 };

} // namespace

TEST(ModeSwitch, Table) {
    struct Case {
        int index;
        const char* expected;
    } cases[] = {{0, "-AutoEncrypt"}, {1, "-AutoSign"}, {2, "-AutoEncryptSign"},
                 {-1, "kept"},        {3, "kept"},      {-2147483647 - 1, "kept"}};
    for (const Case& c : cases) {
        std::string s = "kept";
        ModeSwitch(c.index, s);
        EXPECT_EQ(s, c.expected) << c.index;
    }
}

TEST(IsMailingListAddress, Table) {
    const std::vector<std::string> list = {"List@Example.org", "<news@host>", "ä@x"};
    struct Case {
        const char *to, *cc;
        bool expected;
    } cases[] = {
        {"list@example.org", "", true},
        {"", "LIST@EXAMPLE.ORG", true},
        {"a@b, list@example.org; c@d", "", true},
        {"a@b,,;  list@example.org", "", true},
        {"\t list@example.org \r\n", "", true},
        {"a@b", "c@d", false},
        {"Joe <list@example.org>", "", false}, // brackets are part of the token
        {"<news@host>", "", true},
        {"news@host", "", false},
        {"list@example.org.uk", "", false},
        {"xlist@example.org", "", false},
        {"list@example.org\tx", "", false}, // a tab does not separate
        {"a@b", "list@example.org", true},  // Cc counts
        {"Ä@x", "", false},                 // only ASCII letters fold
        {"ä@x", "", true},
        {"", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsMailingListAddress(c.to, c.cc, list), c.expected)
            << "To '" << c.to << "' Cc '" << c.cc << "'";
}

// The empty token is looked up only when the address text starts with a separator.
TEST(IsMailingListAddress, EmptyEntry) {
    const std::vector<std::string> list = {""};
    EXPECT_TRUE(IsMailingListAddress("", "", list));
    EXPECT_TRUE(IsMailingListAddress(",a@b", "", list));
    EXPECT_TRUE(IsMailingListAddress(";", "", list));
    EXPECT_FALSE(IsMailingListAddress("a@b", "", list));
    EXPECT_FALSE(IsMailingListAddress("a@b,,c@d", "", list));
    EXPECT_FALSE(IsMailingListAddress(" ", "a@b", list)); // blanks are trimmed first
    EXPECT_FALSE(IsMailingListAddress("", "", {}));
}

TEST(ChoosePgpSwitch, Table) {
    struct Case {
        const char* name;
        int wtype;
        std::string body;
        const char *to, *cc, *bcc;
        bool routine;
        int routineMode, specialMode;
        bool forceKeyRead;
        const char* expectedSwitch;
        bool read, postWarning;
    } cases[] = {
        {"routine mail, mode E&S", 1, "hi", "a@b", "", "", true, EncryptSign, Encrypt, false,
         "-AutoEncryptSign", false, false},
        {"routine mail, listed Cc", 1, "hi", "a@b", "LIST@X", "", true, EncryptSign, Encrypt, false,
         "-AutoSign", false, false},
        {"routine mail, listed only in Bcc", 1, "hi", "a@b", "", "list@x", true, Encrypt, Sign,
         false, "-AutoEncrypt", false, false},
        {"routine posting", 2, "hi", "a@b", "", "", true, Encrypt, Encrypt, false, "-AutoSign",
         false, false},
        {"routine read, message", 8, kMessage, "", "", "", true, Encrypt, Encrypt, false,
         "-AutoDecryptVerify", true, false},
        {"routine read, key only", 8, kKey, "", "", "", true, Encrypt, Encrypt, false, "-AddKey",
         true, false},
        {"routine read, key + signed, force ignored", 8, kKey + kSigned, "", "", "", true, Encrypt,
         Encrypt, true, "-AutoDecryptVerify", true, false},
        {"special read, key + signed, force", 8, kKey + kSigned, "", "", "", false, Encrypt,
         Encrypt, true, "-AddKey", true, false},
        {"special read, key + message, no force", 8, kKey + kMessage, "", "", "", false, Encrypt,
         Encrypt, false, "-AutoDecryptVerify", true, false},
        {"routine mail holding a message", 1, "x\r\n" + kMessage, "a@b", "", "", true, Encrypt,
         Encrypt, false, "-AutoDecryptVerify", true, false},
        {"routine mail holding a key", 1, kKey, "a@b", "", "", true, Sign, Encrypt, false,
         "-AutoSign", false, false},
        {"routine mail holding a key and a message", 1, kKey + kMessage, "a@b", "", "", true,
         Encrypt, Encrypt, false, "-AutoEncrypt", false, false},
        {"routine Wtype 0", 0, "hi", "a@b", "", "", true, Encrypt, Encrypt, false, "", false,
         false},
        {"routine Wtype 0, listed", 0, "hi", "list@x", "", "", true, Encrypt, Encrypt, false,
         "-AutoSign", false, false},
        {"special mail, listed", 1, "hi", "list@x", "", "", false, Sign, EncryptSign, false,
         "-AutoEncryptSign", false, false},
        {"special posting, encrypt", 2, "hi", "", "", "", false, Sign, Encrypt, false,
         "-AutoEncrypt", false, true},
        {"special posting, sign", 2, "hi", "", "", "", false, Encrypt, Sign, false, "-AutoSign",
         false, false},
        {"special posting, none selected", 2, "hi", "", "", "", false, Sign, None, false, "", false,
         true},
        {"special posting holding a message", 2, kMessage, "", "", "", false, Sign, Encrypt, false,
         "-AutoDecryptVerify", true, false},
        {"Wtype 9, indented message", 9, kIndentedMessage, "a@b", "", "", true, Encrypt, Encrypt,
         false, "-AutoDecryptVerify", true, false},
        {"Wtype 9, key", 9, " " + kKey, "a@b", "", "", true, Encrypt, Encrypt, false, "-AddKey",
         true, false},
        {"routine mail, none selected", 1, "hi", "a@b", "", "", true, None, Encrypt, false, "",
         false, false},
        {"special Wtype 0, none selected", 0, "hi", "", "", "", false, Encrypt, None, false, "",
         false, false},
        {"routine read, indented key only", 8, " " + kKey, "", "", "", true, Encrypt, Encrypt,
         false, "-AddKey", true, false},
        {"routine mail, indented message is not seen", 1, kIndentedMessage, "a@b", "", "", true,
         Encrypt, Encrypt, false, "-AutoEncrypt", false, false},
    };
    for (const Case& c : cases) {
        ProcessingSettings settings;
        settings.routineMode = c.routineMode;
        settings.specialMode = c.specialMode;
        settings.forceKeyRead = c.forceKeyRead;
        settings.mailingList = {"List@X"};
        TMFDData m;
        m.Wtype = c.wtype;
        m.Body = c.body;
        m.HasBody = true;
        m.To = c.to, m.Cc = c.cc, m.Bcc = c.bcc;
        StepCode = 0;
        const PgpChoice choice = ChoosePgpSwitch(m, c.routine, settings);
        EXPECT_EQ(choice.pgpSwitch, c.expectedSwitch) << c.name;
        EXPECT_EQ(choice.read, c.read) << c.name;
        EXPECT_EQ(choice.postWarning, c.postWarning) << c.name;
        EXPECT_EQ(StepCode, 5509) << c.name;
    }
}

TEST(ChoosePgpSwitch, OnlyReceivedBodiesAreUnindented) {
    ProcessingSettings settings;
    TMFDData m;
    m.Wtype = WTYPE_READ;
    m.Body = "Hi\r\n" + kIndentedMessage;
    ChoosePgpSwitch(m, true, settings);
    EXPECT_EQ(m.Body, "Hi\r\n" + kMessage);

    m.Wtype = WTYPE_MAIL;
    m.Body = " " + kMessage;
    ChoosePgpSwitch(m, true, settings);
    EXPECT_EQ(m.Body, " " + kMessage);
}
