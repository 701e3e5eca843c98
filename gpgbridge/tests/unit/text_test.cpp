#include "commands.h"
#include "text.h"

#include <gtest/gtest.h>

TEST(ToCrlf, Table) {
    const char* cases[][2] = {
        {"", ""},
        {"a", "a"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"\n\r\n\r", "\r\n\r\n\r\n"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCrlf(c[0]), c[1]);
        EXPECT_EQ(ToCrlf(ToCrlf(c[0])), c[1]);
    }
}

TEST(SplitLines, BreaksOfBothKindsAndNoPhantomLastLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), Lines());
    EXPECT_EQ(SplitLines("a"), Lines({"a"}));
    EXPECT_EQ(SplitLines("a\r\nb\n"), Lines({"a", "b"}));
    EXPECT_EQ(SplitLines("\n\r\nx\r"), Lines({"", "", "x"}));
}

TEST(GpgMessages, Table) {
    const char* cases[][2] = {
        {"", ""},
        {"gpg: decryption failed: No secret key\n", "decryption failed: No secret key"},
        // What gpg 2.2 writes to a --logger-file, continuation line and all.
        {"2026-12-08 05:01:59 gpg[32123] encrypted with 3072-bit RSA key, ID 968F60C8341AA83B\n"
         "      \"Alice <alice@example.org>\"\n"
         "2026-12-08 05:01:59 gpg[32123] decryption failed: No secret key",
         "encrypted with 3072-bit RSA key, ID 968F60C8341AA83B\n\"Alice <alice@example.org>\"\n"
         "decryption failed: No secret key"},
        {"2026-12-08 05:01:49 gpg[32081]                using RSA key F3153423\r\n",
         "using RSA key F3153423"},
        {"gpg-agent[99]: no pinentry\ngpg[7]: signing failed: Bad passphrase\n\n  \n"
         "2026-12-08 05:02:42 dirmngr[5] connection refused\n   more from dirmngr\n",
         "signing failed: Bad passphrase"},
        {"loose line before any prefix\ngpg2: WARNING: unsafe ownership\n",
         "WARNING: unsafe ownership"},
        {"gpg:\ngpg: [stdin]: encryption failed: No name", "[stdin]: encryption failed: No name"},
        {"2026-12-08 05:01:59 gpg[12x] odd\n2026-12-08 05:01:59 gpg no pid", "no pid"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GpgMessages(c[0]), c[1]) << c[0];
}

TEST(FailureText, WithAndWithoutLog) {
    EXPECT_EQ(FailureText("decrypt the text", "there is no secret key to decrypt this text",
                          "2026-12-08 05:10:00 gpg[1234] decryption failed: No secret key\n"),
              "GnuPG could not decrypt the text: there is no secret key to decrypt this text."
              "\r\n\r\nGnuPG said:\r\ndecryption failed: No secret key");
    EXPECT_EQ(
        FailureText("sign the text", "the passphrase was wrong", "gpg: a\ngpg-agent: b\ngpg: c\n"),
        "GnuPG could not sign the text: the passphrase was wrong.\r\n\r\nGnuPG said:\r\na\r\nc");
    EXPECT_EQ(FailureText("import the keys", "the text holds no keys", "gpg-agent: x\n"),
              "GnuPG could not import the keys: the text holds no keys.");
}

TEST(NoticeText, Commands) {
    EXPECT_EQ(NoticeText(PgpTools),
              "PGPtools is not part of the GnuPG bridge. Use Kleopatra or GnuPG's own tools.");
    for (int command : {int(PgpOtherCommand), 40099, 0}) {
        const std::string text = NoticeText(command);
        EXPECT_NE(text.find(std::to_string(command)), std::string::npos) << text;
        EXPECT_NE(text.find("GnuPG bridge"), std::string::npos) << text;
    }
}

TEST(SplitStatusAndLog, Table) {
    struct Case {
        const char *err, *status, *log;
    } cases[] = {
        {"", "", ""},
        {"[GNUPG:] BEGIN_DECRYPTION\r\ngpg: encrypted with rsa3072 key\r\n"
         "      \"Łucja Żółć <lucja@example.org>\"\n[GNUPG:] DECRYPTION_OKAY",
         "[GNUPG:] BEGIN_DECRYPTION\n[GNUPG:] DECRYPTION_OKAY\n",
         "gpg: encrypted with rsa3072 key\n      \"Łucja Żółć <lucja@example.org>\"\n"},
        {"gpg: [GNUPG:] is not a status line\n[GNUPG:]NOBLANK\n", "",
         "gpg: [GNUPG:] is not a status line\n[GNUPG:]NOBLANK\n"},
    };
    for (const Case& c : cases) {
        std::string status, log;
        SplitStatusAndLog(c.err, status, log);
        EXPECT_EQ(status, c.status) << c.err;
        EXPECT_EQ(log, c.log) << c.err;
    }
}
