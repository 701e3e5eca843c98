// GnuPG's machine-readable status output (--status-file), judged in plain words.
#pragma once
#include <string>
#include <vector>

struct StatusLine {
    std::string keyword;           // "GOODSIG", ...
    std::vector<std::string> args; // blank-separated words after the keyword
    std::string rest;              // everything after the keyword and one blank
};

// Lines that do not start with "[GNUPG:] " are ignored.
std::vector<StatusLine> ParseStatus(const std::string& text);

struct Outcome {
    bool ok = false;
    std::string problem; // plain words when !ok, e.g. "there is no public key for a recipient"
};

// Encryption (and encrypt-and-sign) succeeded when END_ENCRYPTION came and no FAILURE,
// INV_RECP, INV_SGNR, KEYEXPIRED signer or BAD_PASSPHRASE did.
Outcome JudgeEncrypt(const std::vector<StatusLine>& status);
// Signing succeeded when SIG_CREATED came and no FAILURE / INV_SGNR / BAD_PASSPHRASE did.
Outcome JudgeSign(const std::vector<StatusLine>& status);

enum class SignatureState {
    None,
    Good,
    Bad,
    ExpiredSignature,
    ExpiredKey,
    RevokedKey,
    NoPublicKey,
    Error
};

struct DecryptReport {
    bool ok = false;        // there is plain text to hand back (decrypted, or verified clear text)
    bool encrypted = false; // the text was encrypted (BEGIN_DECRYPTION / DECRYPTION_OKAY)
    SignatureState signature = SignatureState::None;
    std::string signer;      // user id from GOODSIG/BADSIG/EXPSIG/EXPKEYSIG/REVKEYSIG, unescaped
    std::string signerKeyId; // key id from those lines or from ERRSIG/NO_PUBKEY
    std::string validity; // "full", "ultimate", "marginal", "unknown", "never" from TRUST_* lines
    std::string problem;  // plain words when !ok
};

DecryptReport JudgeDecrypt(const std::vector<StatusLine>& status);
// For the result window: e.g. "Good signature from Alice <alice@example.org> (key
// 0123456789ABCDEF), trust: ultimate."
std::string SignatureText(const DecryptReport& report);

struct ImportReport {
    bool ok = false;
    int considered = 0, imported = 0, unchanged = 0, secretImported = 0, newUserIds = 0,
        newSubkeys = 0, newSignatures = 0, notImported = 0;
    int newRevocations = 0; // revocation certificates applied to keys already on the key ring
    std::string problem;
};
// From IMPORT_RES (and IMPORT_PROBLEM / NODATA / FAILURE).
ImportReport JudgeImport(const std::vector<StatusLine>& status);
// "2 keys processed: 1 imported, 1 unchanged." and the like.
std::string ImportText(const ImportReport& report);
