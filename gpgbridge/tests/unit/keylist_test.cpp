#include "keylist.h"

#include <gtest/gtest.h>

namespace {

// gpg 2.2 --with-colons --fixed-list-mode --list-keys: an ultimately trusted key, a revoked
// one and an expired one (their capital letters are gone), each with a subkey.
const char kPublicKeys[] =
    "tru:o:1:1796706103:1:3:1:5\n"
    "pub:u:3072:1:9C8341A58A4DB149:1796706102:::u:::scESC::::::23::0:\n"
    "fpr:::::::::F315342379F9C711D49BEC9D9C8341A58A4DB149:\n"
    "uid:u::::1796706102::76BD147C838E2BFA15D0FED1963B6820282E9515::Alice <alice@example.org>"
    "::::::::::0:\n"
    "sub:u:3072:1:968F60C8341AA83B:1796706102::::::e::::::23:\n"
    "fpr:::::::::B1908A1983492D10DDDCC0CD968F60C8341AA83B:\n"
    "pub:r:3072:1:4FA67BFE6D4D61A8:1796706103:::-:::sc::::::23::0:\n"
    "fpr:::::::::CD4B9BB2AD9625E9578376874FA67BFE6D4D61A8:\n"
    "uid:r::::1796706103::4684F5F29E7AFC57B2795E80846D1CCC643EB2D2::"
    "Bob B\xC3\xA4r (test\\x3a x) <bob@example.org>::::::::::0:\n"
    "uid:r::::1796706103::4684F5F29E7AFC57B2795E80846D1CCC643EB2D3::Bob <bob@example.com>:\n"
    "sub:r:3072:1:32C24568103EA920:1796706103::::::e::::::23:\n"
    "fpr:::::::::BC3213BA4F5474E2DB06058932C24568103EA920:\n"
    "pub:e:3072:1:382760DB6DB2B60E:1796706179:1796792579::u:::sc::::::23::0:\r\n"
    "fpr:::::::::76878C7B3C9AD24C16366381382760DB6DB2B60E:\r\n"
    "uid:e::::1796706179::9930C1BE47835EC84C4D2453AEF4B88651658337::Dave <dave@example.org>:\r\n";

// --list-secret-keys: "grp" lines (keygrips) come between the fpr and the uid.
const char kSecretKeys[] = "sec:u:3072:1:9C8341A58A4DB149:1796706102:::u:::scESC:::+:::23::0:\n"
                           "fpr:::::::::F315342379F9C711D49BEC9D9C8341A58A4DB149:\n"
                           "grp:::::::::F487ABFFBF290472813E7EA4D5E0E8D30C6FEE8A:\n"
                           "uid:u::::1796706102::76BD::Alice <alice@example.org>::::::::::0:\n"
                           "ssb:u:3072:1:968F60C8341AA83B:1796706102::::::e:::+:::23:\n"
                           "fpr:::::::::B1908A1983492D10DDDCC0CD968F60C8341AA83B:\n"
                           "grp:::::::::5973901D055801357B9729835B116D7EB0FC4A19:";

} // namespace

TEST(ParseKeyList, RealPublicKeys) {
    const std::vector<GpgKey> keys = ParseKeyList(kPublicKeys);
    ASSERT_EQ(keys.size(), 3u);
    struct Expected {
        const char *keyId, *fingerprint, *userId;
        std::size_t userIds;
        char validity;
        bool canEncrypt, canSign;
    } expected[] = {
        {"9C8341A58A4DB149", "F315342379F9C711D49BEC9D9C8341A58A4DB149",
         "Alice <alice@example.org>", 1, 'u', true, true},
        {"4FA67BFE6D4D61A8", "CD4B9BB2AD9625E9578376874FA67BFE6D4D61A8",
         "Bob B\xC3\xA4r (test: x) <bob@example.org>", 2, 'r', false, false},
        {"382760DB6DB2B60E", "76878C7B3C9AD24C16366381382760DB6DB2B60E", "Dave <dave@example.org>",
         1, 'e', false, false},
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(keys[i].keyId, expected[i].keyId);
        EXPECT_EQ(keys[i].fingerprint, expected[i].fingerprint);
        EXPECT_EQ(keys[i].userId, expected[i].userId);
        EXPECT_EQ(keys[i].userIds.size(), expected[i].userIds);
        EXPECT_EQ(keys[i].validity, expected[i].validity);
        EXPECT_EQ(keys[i].canEncrypt, expected[i].canEncrypt);
        EXPECT_EQ(keys[i].canSign, expected[i].canSign);
        EXPECT_FALSE(keys[i].secret);
    }
    EXPECT_EQ(keys[1].userIds[1], "Bob <bob@example.com>");
}

TEST(ParseKeyList, RealSecretKeys) {
    const std::vector<GpgKey> keys = ParseKeyList(kSecretKeys);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_TRUE(keys[0].secret);
    EXPECT_EQ(keys[0].fingerprint, "F315342379F9C711D49BEC9D9C8341A58A4DB149");
    EXPECT_EQ(keys[0].userId, "Alice <alice@example.org>");
}

TEST(ParseKeyList, BrokenInput) {
    struct Case {
        const char* text;
        std::size_t keys;
        const char* keyId;
        const char* fingerprint;
    } cases[] = {
        {"", 0, "", ""},
        {"\n\n:::\n", 0, "", ""},
        {"uid:u::::::::Orphan:\nfpr:::::::::ABCD:\n", 0, "", ""},
        {"pub", 1, "", ""},
        {"pub:u:3072:1:ABCD", 1, "ABCD", ""},
        {"pub:u:3072:1:ABCD\nuid:u\nfpr:::::::::1234:", 1, "ABCD", ""},     // fpr after uid
        {"pub::::ABCD\nsub::::EF01\nfpr:::::::::EF01EF01:", 1, "ABCD", ""}, // subkey's fpr
        {"pub::::ABCD\nfpr:::::::::1111:\nfpr:::::::::2222:", 1, "ABCD", "1111"},
        {"crt::::X509\nuid:::::::::Cert:\npub::::ABCD\n", 1, "ABCD", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<GpgKey> keys = ParseKeyList(c.text);
        ASSERT_EQ(keys.size(), c.keys);
        if (c.keys == 0)
            continue;
        EXPECT_EQ(keys[0].keyId, c.keyId);
        EXPECT_EQ(keys[0].fingerprint, c.fingerprint);
        EXPECT_TRUE(keys[0].userIds.size() <= 1);
    }
}

TEST(UnescapeColonField, Table) {
    const char* cases[][2] = {
        {"", ""},
        {"plain", "plain"},
        {"a\\x3ab", "a:b"},
        {"\\x5c\\x3A", "\\:"},
        {"\\x0", "\\x0"},     // cut short
        {"\\xZZ1", "\\xZZ1"}, // not hex
        {"\\\\x3a", "\\:"},   // only \x starts an escape
        {"end\\", "end\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnescapeColonField(c[0]), c[1]) << c[0];
}

// User ids as a colon listing gives them: raw UTF-8, or its bytes escaped one by one.
TEST(UnescapeColonField, UserIdsComeOutAsUtf8) {
    const char* cases[][2] = {
        {"Zo\\xc3\\xab \\xc3\\x85ngstr\\xc3\\xb6m <zoe@example.org>",
         "Zoë Ångström <zoe@example.org>"},
        {"Zoë Ångström <zoe@example.org>", "Zoë Ångström <zoe@example.org>"},
        {"\\xe6\\x9d\\x8e\\xe6\\x98\\x8e <li@example.cn>", "李明 <li@example.cn>"},
        {"李明 (工作\\x3a home) <li@example.cn>", "李明 (工作: home) <li@example.cn>"},
        {"\\xc5\\x81ucja \\xc5\\xbb\\xc3\\xb3\\xc5\\x82\\xc4\\x87", "Łucja Żółć"},
        {"Zo\\xc3\\xab \\xg1", "Zoë \\xg1"}, // a malformed escape stays as it came
        {"Zo\\xc3\\xab \\x4", "Zoë \\x4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnescapeColonField(c[0]), c[1]) << c[0];
    const std::vector<GpgKey> keys =
        ParseKeyList("pub:u:255:22:1122334455667788:1:::u:::scESC:\n"
                     "uid:u::::1::AAAA::Zo\\xc3\\xab \\xc3\\x85ngstr\\xc3\\xb6m\\x3a CEO "
                     "<zoe@example.org>::::\n");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].userId, "Zoë Ångström: CEO <zoe@example.org>");
}

TEST(Validity, LettersAndUse) {
    struct Case {
        char letter;
        const char* text;
        bool usable, fullyValid;
    } cases[] = {
        {'u', "ultimate", true, true},  {'f', "full", true, true},
        {'m', "marginal", true, false}, {'n', "never", true, false},
        {'-', "unknown", true, false},  {'q', "unknown", true, false},
        {'o', "unknown", true, false},  {'e', "expired", false, false},
        {'r', "revoked", false, false}, {'d', "disabled", false, false},
        {'i', "invalid", false, false},
    };
    for (const Case& c : cases) {
        GpgKey key;
        key.validity = c.letter;
        EXPECT_EQ(ValidityText(c.letter), c.text) << c.letter;
        EXPECT_EQ(IsUsable(key), c.usable) << c.letter;
        EXPECT_EQ(IsFullyValid(c.letter), c.fullyValid) << c.letter;
    }
}

TEST(KeyMatchesFilter, Table) {
    const GpgKey bob = ParseKeyList(kPublicKeys)[1];
    struct Case {
        const char* filter;
        bool matches;
    } cases[] = {
        {"", true},
        {"   ", true},
        {"bob", true},
        {"BÄR", false}, // only ASCII letters fold
        {"b\xC3\xA4r", true},
        {"bob example.com", true}, // words may be found in different user ids
        {"bob\tcarol", false},
        {"4fa67bfe", true},
        {"0x4FA67BFE6D4D61A8", true},
        {"cd4b9bb2ad9625e9", true},  // fingerprint
        {"32C24568103EA920", false}, // subkey ids are not the key's
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyMatchesFilter(bob, c.filter), c.matches) << c.filter;
}
