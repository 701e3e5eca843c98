#include "status.h"

#include <gtest/gtest.h>

namespace {

// Status files written by gpg 2.2, cut down to the lines that matter.
const char kEncryptSigned[] = "[GNUPG:] KEY_CONSIDERED F315342379F9C711D49BEC9D9C8341A58A4DB149 0\n"
                              "[GNUPG:] BEGIN_SIGNING H10\n"
                              "[GNUPG:] SIG_CREATED S 1 10 00 1796706109 F315342379F9C7\n"
                              "[GNUPG:] BEGIN_ENCRYPTION 2 9\n"
                              "[GNUPG:] END_ENCRYPTION\n";
const char kUnknownRecipient[] = "[GNUPG:] INV_RECP 0 nobody@example.org\n"
                                 "[GNUPG:] FAILURE encrypt 167772380\n";
const char kExpiredRecipient[] = "[GNUPG:] KEYEXPIRED 1796792579\n"
                                 "[GNUPG:] INV_RECP 0 dave@example.org\n"
                                 "[GNUPG:] FAILURE encrypt 167772218\n";
const char kRevokedRecipient[] = "[GNUPG:] INV_RECP 0 4FA67BFE6D4D61A8\n"
                                 "[GNUPG:] FAILURE encrypt 53\n";
const char kUntrustedRecipient[] = "[GNUPG:] INV_RECP 10 9C8341A58A4DB149\n"
                                   "[GNUPG:] FAILURE encrypt 53\n";
const char kClearSigned[] = "[GNUPG:] BEGIN_SIGNING H10\n"
                            "[GNUPG:] SIG_CREATED C 1 10 01 1796706109 F315342379F9C711\n";
const char kUnknownSigner[] = "[GNUPG:] INV_SGNR 9 nobody@example.org\n"
                              "[GNUPG:] FAILURE sign 17\n";
const char kRevokedSigner[] = "[GNUPG:] INV_SGNR 9 4FA67BFE6D4D61A8\n"
                              "[GNUPG:] FAILURE sign 54\n";
const char kWrongPassphraseSign[] = "[GNUPG:] BEGIN_SIGNING H10\n"
                                    "[GNUPG:] FAILURE sign 67108875\n";

const char kDecrypted[] = "[GNUPG:] ENC_TO 968F60C8341AA83B 1 0\n"
                          "[GNUPG:] BEGIN_DECRYPTION\n"
                          "[GNUPG:] PLAINTEXT 62 1796706109 \n"
                          "[GNUPG:] NEWSIG\n"
                          "[GNUPG:] GOODSIG 9C8341A58A4DB149 Alice <alice@example.org>\n"
                          "[GNUPG:] VALIDSIG F315342379F9C711D49BEC9D9C8341A58A4DB149 2026-12-08\n"
                          "[GNUPG:] TRUST_ULTIMATE 0 pgp\n"
                          "[GNUPG:] DECRYPTION_OKAY\n"
                          "[GNUPG:] GOODMDC\n"
                          "[GNUPG:] END_DECRYPTION\n";
const char kNoSecretKey[] = "[GNUPG:] ENC_TO 968F60C8341AA83B 1 0\n"
                            "[GNUPG:] NO_SECKEY 968F60C8341AA83B\n"
                            "[GNUPG:] BEGIN_DECRYPTION\n"
                            "[GNUPG:] DECRYPTION_FAILED\n"
                            "[GNUPG:] END_DECRYPTION\n";
const char kWrongPassphrase[] = "[GNUPG:] ENC_TO C4BB40AD3C918203 1 0\n"
                                "[GNUPG:] ERROR pkdecrypt_failed 67108875\n"
                                "[GNUPG:] BEGIN_DECRYPTION\n"
                                "[GNUPG:] DECRYPTION_FAILED\n"
                                "[GNUPG:] END_DECRYPTION\n";
const char kDamaged[] = "[GNUPG:] NODATA 3\n";
const char kTruncated[] = "[GNUPG:] NODATA 1\n[GNUPG:] NODATA 3\n";
const char kPlainText[] = "[GNUPG:] NODATA 1\n[GNUPG:] NODATA 2\n"
                          "[GNUPG:] FAILURE decrypt 4294967295\n";
const char kBrokenSignatureBlock[] = "[GNUPG:] PLAINTEXT 74 0 \n";
const char kVerifiedUntrusted[] =
    "[GNUPG:] PLAINTEXT 74 0 \n"
    "[GNUPG:] NEWSIG\n"
    "[GNUPG:] GOODSIG 4FA67BFE6D4D61A8 Bob B\xC3\xA4r <bob@example.org>\n"
    "[GNUPG:] TRUST_UNDEFINED 0 pgp\n";
const char kVerifiedPercent[] =
    "[GNUPG:] GOODSIG ADFC71E63D50C1EC Carol 100%25 <carol@example.org>\n"
    "[GNUPG:] TRUST_FULLY 0 pgp\n";
const char kBadSignature[] = "[GNUPG:] PLAINTEXT 74 0 \n"
                             "[GNUPG:] NEWSIG\n"
                             "[GNUPG:] BADSIG 9C8341A58A4DB149 Alice <alice@example.org>\n"
                             "[GNUPG:] FAILURE gpg-exit 33554433\n";
const char kNoPublicKey[] = "[GNUPG:] PLAINTEXT 74 0 \n"
                            "[GNUPG:] NEWSIG\n"
                            "[GNUPG:] ERRSIG 4FA67BFE6D4D61A8 1 10 01 1796706119 9 CD4B9BB2AD9625\n"
                            "[GNUPG:] NO_PUBKEY 4FA67BFE6D4D61A8\n";
const char kExpiredKey[] = "[GNUPG:] NEWSIG dave@example.org\n"
                           "[GNUPG:] KEYEXPIRED 1796792579\n"
                           "[GNUPG:] EXPKEYSIG 382760DB6DB2B60E Dave <dave@example.org>\n";
const char kExpiredSignature[] = "[GNUPG:] EXPSIG 9C8341A58A4DB149 Alice <alice@example.org>\n"
                                 "[GNUPG:] TRUST_ULTIMATE 0 pgp\n"
                                 "[GNUPG:] FAILURE gpg-exit 33554433\n";
const char kRevokedKey[] = "[GNUPG:] REVKEYSIG 4FA67BFE6D4D61A8 Bob <bob@example.org>\n"
                           "[GNUPG:] KEYREVOKED\n"
                           "[GNUPG:] TRUST_ULTIMATE 0 pgp\n";

const std::string kNoKey = "there is no usable public key for a recipient";
const std::string kDamagedText = "the text is damaged or not valid OpenPGP data";

} // namespace

TEST(ParseStatus, Lines) {
    const std::vector<StatusLine> lines =
        ParseStatus("gpg: noise\n[GNUPG:] PLAINTEXT 74 0 \r\n[GNUPG:] \n[GNUPG:]  X\n"
                    "[GNUPG:] GOODSIG ABCD Alice  Smith\n[GNUPG:] NEWSIG");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].keyword, "PLAINTEXT");
    EXPECT_EQ(lines[0].args, (std::vector<std::string>{"74", "0"}));
    EXPECT_EQ(lines[1].rest, "ABCD Alice  Smith");
    EXPECT_EQ(lines[1].args.size(), 3u);
    EXPECT_EQ(lines[2].keyword, "NEWSIG");
    EXPECT_TRUE(lines[2].args.empty() && lines[2].rest.empty());
}

TEST(JudgeEncryptAndSign, RealStatus) {
    struct Case {
        const char* status;
        bool sign; // judged as a clear signature instead of an encryption
        bool ok;
        std::string problem;
    } cases[] = {
        {kEncryptSigned, false, true, ""},
        {kUnknownRecipient, false, false, kNoKey + " (key not found)"},
        {kExpiredRecipient, false, false, kNoKey + " (key expired)"},
        {kRevokedRecipient, false, false, kNoKey},
        {kUntrustedRecipient, false, false, kNoKey + " (key not trusted)"},
        {"[GNUPG:] INV_RECP 77 x\n", false, false, kNoKey + " (reason 77)"},
        {kClearSigned, false, false, "GnuPG produced no result"},
        {"[GNUPG:] FAILURE encrypt 1\n[GNUPG:] END_ENCRYPTION\n", false, false,
         "GnuPG reported an error (encrypt 1)"},
        {kWrongPassphraseSign, false, false, "the passphrase was wrong"},
        {"", false, false, "GnuPG produced no result"},
        {kClearSigned, true, true, ""},
        {kUnknownSigner, true, false, "the signing key is not usable (no secret key)"},
        {kRevokedSigner, true, false, "the signing key is not usable"},
        {"[GNUPG:] INV_SGNR 5 x\n", true, false, "the signing key is not usable (key expired)"},
        {kWrongPassphraseSign, true, false, "the passphrase was wrong"},
        {"[GNUPG:] BAD_PASSPHRASE ABCD\n[GNUPG:] SIG_CREATED C\n", true, false,
         "the passphrase was wrong"},
        {"[GNUPG:] FAILURE sign 83886179\n", true, false, "the passphrase entry was cancelled"},
        {"[GNUPG:] FAILURE gpg-exit 2\n[GNUPG:] ERROR keyedit 3\n", true, false,
         "GnuPG reported an error (keyedit 3)"},
        {kEncryptSigned, true, true, ""}, // it made a signature too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        const std::vector<StatusLine> status = ParseStatus(c.status);
        const Outcome outcome = c.sign ? JudgeSign(status) : JudgeEncrypt(status);
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.problem, c.problem);
    }
}

// The signature text shows the signer, key id and trust JudgeDecrypt found.
TEST(JudgeDecrypt, RealStatus) {
    using S = SignatureState;
    const std::string good = "Good signature from ", unsigned_ = "The text is not signed.";
    struct Case {
        const char* status;
        bool ok, encrypted;
        S signature;
        std::string problem, text;
    } cases[] = {
        {kDecrypted, true, true, S::Good, "",
         good + "Alice <alice@example.org> (key 9C8341A58A4DB149), trust: ultimate."},
        {kNoSecretKey, false, true, S::None, "there is no secret key to decrypt this text",
         unsigned_},
        {kWrongPassphrase, false, true, S::None, "the passphrase was wrong", unsigned_},
        {kDamaged, false, false, S::None, kDamagedText, unsigned_},
        {kTruncated, false, false, S::None, kDamagedText, unsigned_},
        {kPlainText, false, false, S::None, "the text holds no OpenPGP data", unsigned_},
        {kBrokenSignatureBlock, false, false, S::None, kDamagedText, unsigned_},
        {"", false, false, S::None, "GnuPG produced no result", unsigned_},
        {kVerifiedUntrusted, true, false, S::Good, "",
         good + "Bob B\xC3\xA4r <bob@example.org> (key 4FA67BFE6D4D61A8), trust: unknown."},
        {kVerifiedPercent, true, false, S::Good, "",
         good + "Carol 100% <carol@example.org> (key ADFC71E63D50C1EC), trust: full."},
        {kBadSignature, true, false, S::Bad, "",
         "BAD signature from Alice <alice@example.org> (key 9C8341A58A4DB149): the text was "
         "changed after it was signed."},
        {kNoPublicKey, true, false, S::NoPublicKey, "",
         "Signed by key 4FA67BFE6D4D61A8, whose public key is not on your key ring: the "
         "signature cannot be checked."},
        {"[GNUPG:] ERRSIG AB 1 10 01 17 4\n", true, false, S::Error, "",
         "The signature by key AB could not be checked."},
        {"[GNUPG:] ERRSIG AB 1 10 01 17\n[GNUPG:] NO_PUBKEY AB\n", true, false, S::NoPublicKey, "",
         "Signed by key AB, whose public key is not on your key ring: the signature cannot "
         "be checked."},
        {kExpiredKey, true, false, S::ExpiredKey, "",
         good + "Dave <dave@example.org> (key 382760DB6DB2B60E), but the key has expired."},
        {kExpiredSignature, true, false, S::ExpiredSignature, "",
         "Expired signature from Alice <alice@example.org> (key 9C8341A58A4DB149): the "
         "signature was good but is no longer valid."},
        {kRevokedKey, true, false, S::RevokedKey, "",
         good + "Bob <bob@example.org> (key 4FA67BFE6D4D61A8), but the key has been revoked: do "
                "not rely on it."},
        // Two signatures: a bad one is not hidden behind a good one.
        {"[GNUPG:] GOODSIG A1 Ann\n[GNUPG:] TRUST_FULLY 0\n[GNUPG:] BADSIG B2 Ben\n"
         "[GNUPG:] GOODSIG C3 Cy\n",
         true, false, S::Bad, "",
         "BAD signature from Ben (key B2): the text was changed after it was signed."},
        // A signature inside a text that did not decrypt is not handed back.
        {"[GNUPG:] BEGIN_DECRYPTION\n[GNUPG:] GOODSIG A1 Ann\n[GNUPG:] BADMDC\n", false, true,
         S::Good, kDamagedText, good + "Ann (key A1)."},
        {"[GNUPG:] GOODSIG\n[GNUPG:] TRUST_MARGINAL\n", true, false, S::Good, "",
         "Good signature, trust: marginal."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        const DecryptReport r = JudgeDecrypt(ParseStatus(c.status));
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.encrypted, c.encrypted);
        EXPECT_EQ(r.signature, c.signature);
        EXPECT_EQ(r.problem, c.problem);
        EXPECT_EQ(SignatureText(r), c.text);
    }
}

TEST(JudgeImport, RealStatus) {
    struct Case {
        const char* status;
        bool ok;
        const char* problem;
        const char* text;
    } cases[] = {
        {"[GNUPG:] IMPORTED 9C8341A58A4DB149 Alice <alice@example.org>\n"
         "[GNUPG:] IMPORT_RES 1 0 1 0 0 0 0 0 0 0 0 0 0 0 0\n",
         true, "", "1 key processed: 1 imported."},
        {"[GNUPG:] IMPORT_RES 2 0 1 0 1 0 0 0 0 0 0 0 0 0 0\n", true, "",
         "2 keys processed: 1 imported, 1 unchanged."},
        // A revocation certificate, and a secret key that was there already.
        {"[GNUPG:] IMPORT_RES 1 0 0 0 0 0 0 0 1 0 0 0 0 0 0\n", true, "",
         "1 key processed: 1 new revocation."},
        {"[GNUPG:] IMPORT_RES 1 0 0 0 1 0 0 0 0 1 0 1 0 0 0\n", true, "",
         "1 key processed: 1 unchanged."},
        {"[GNUPG:] IMPORT_RES 3 0 0 0 0 2 1 5 0 0 2 0 0 1 0\n", true, "",
         "3 keys processed: 2 secret keys imported, 2 new user ids, 1 new subkey, 5 new "
         "signatures, 1 not imported."},
        {"[GNUPG:] NODATA 1\n[GNUPG:] IMPORT_RES 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", false,
         "the text holds no keys", "No keys found."},
        {"[GNUPG:] IMPORT_PROBLEM 1\n[GNUPG:] IMPORT_RES 1 0 0 0 0 0 0 0 0 0 0 0 0 1 0\n", false,
         "none of the keys could be imported", "1 key processed: 1 not imported."},
        {"[GNUPG:] IMPORT_RES 1\n", false, "none of the keys could be imported",
         "1 key processed."},
        {"[GNUPG:] IMPORT_RES x -1 99999999999999999999 0 0\n", false, "the text holds no keys",
         "No keys found."},
        {"[GNUPG:] FAILURE import 58\n", false, "GnuPG reported an error (import 58)",
         "No keys found."},
        {"", false, "GnuPG produced no result", "No keys found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        const ImportReport r = JudgeImport(ParseStatus(c.status));
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.problem, c.problem);
        EXPECT_EQ(ImportText(r), c.text);
    }
}
