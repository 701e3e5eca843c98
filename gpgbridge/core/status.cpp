#include "status.h"
#include "text.h"

#include "common/hexdigits.h"

#include <cstddef>

namespace {

const std::string kPrefix = "[GNUPG:] ";

// libgpg-error codes (the low 16 bits of the numbers in FAILURE and ERROR lines).
enum : unsigned long {
    ErrNoPubkey = 9,
    ErrBadPassphrase = 11,
    ErrNoSeckey = 17,
    ErrNoData = 58,
    ErrCanceled = 99,
    ErrNoName = 220,
};

const StatusLine* Find(const std::vector<StatusLine>& status, const char* keyword) {
    for (const StatusLine& line : status)
        if (line.keyword == keyword)
            return &line;
    return nullptr;
}

bool Has(const std::vector<StatusLine>& status, const char* keyword) {
    return Find(status, keyword) != nullptr;
}

const std::string& Arg(const StatusLine& line, std::size_t index) {
    static const std::string empty;
    return index < line.args.size() ? line.args[index] : empty;
}

// Decimal digits only; saturates instead of overflowing, as the numbers come from outside.
unsigned long ToNumber(const std::string& text, bool* valid = nullptr) {
    unsigned long value = 0;
    bool ok = !text.empty();
    for (char c : text) {
        if (c < '0' || c > '9') {
            ok = false;
            break;
        }
        const unsigned long digit = static_cast<unsigned long>(c - '0');
        value = value > (0xFFFFFFFFul - digit) / 10 ? 0xFFFFFFFFul : value * 10 + digit;
    }
    if (valid)
        *valid = ok;
    return ok ? value : 0;
}

int ToCount(const std::string& text) {
    const unsigned long value = ToNumber(text);
    return value > 1000000000ul ? 1000000000 : static_cast<int>(value);
}

unsigned long ErrorCode(const StatusLine& line) {
    return ToNumber(Arg(line, 1)) & 0xFFFFu;
}

// Whether a FAILURE or ERROR line carries the given error code.
bool HasErrorCode(const std::vector<StatusLine>& status, unsigned long code) {
    for (const StatusLine& line : status)
        if ((line.keyword == "FAILURE" || line.keyword == "ERROR") && ErrorCode(line) == code)
            return true;
    return false;
}

bool PassphraseWrong(const std::vector<StatusLine>& status) {
    // GnuPG 2.2 with its agent says so only through the error code, not BAD_PASSPHRASE.
    return Has(status, "BAD_PASSPHRASE") || HasErrorCode(status, ErrBadPassphrase);
}

// The fallback for FAILURE and ERROR lines nothing else explained. "gpg-exit" only repeats
// the exit code, so a more telling line comes first.
std::string ReportedError(const std::vector<StatusLine>& status) {
    const StatusLine* chosen = nullptr;
    for (const char* keyword : {"FAILURE", "ERROR"})
        for (const StatusLine& line : status)
            if (!chosen && line.keyword == keyword && Arg(line, 0) != "gpg-exit")
                chosen = &line;
    if (!chosen)
        chosen = Find(status, "FAILURE");
    if (!chosen)
        return std::string();
    return "GnuPG reported an error (" + Arg(*chosen, 0) + " " + Arg(*chosen, 1) + ")";
}

// The reason codes of INV_RECP and INV_SGNR.
std::string InvalidKeyReason(unsigned long code) {
    static const char* const reasons[] = {"",
                                          "key not found",
                                          "the name fits more than one key",
                                          "wrong key usage",
                                          "key revoked",
                                          "key expired",
                                          "no CRL known",
                                          "CRL too old",
                                          "policy mismatch",
                                          "not a secret key",
                                          "key not trusted",
                                          "missing certificate",
                                          "missing issuer certificate",
                                          "key disabled",
                                          "syntax error in the key name"};
    if (code < sizeof reasons / sizeof reasons[0])
        return reasons[code];
    return "reason " + std::to_string(code);
}

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + " (" + reason + ")";
}

std::string InvalidRecipientProblem(const std::vector<StatusLine>& status, const StatusLine& line) {
    const unsigned long code = ToNumber(Arg(line, 0));
    std::string reason = InvalidKeyReason(code);
    if (code == 0) {
        // GnuPG 2.2 gives no reason for unknown or expired keys; the rest of the status tells.
        if (HasErrorCode(status, ErrNoName) || HasErrorCode(status, ErrNoPubkey))
            reason = "key not found";
        else if (Has(status, "KEYEXPIRED"))
            reason = "key expired";
    }
    return WithReason("there is no usable public key for a recipient", reason);
}

std::string InvalidSignerProblem(const std::vector<StatusLine>& status, const StatusLine& line) {
    const unsigned long code = ToNumber(Arg(line, 0));
    std::string reason = InvalidKeyReason(code);
    // GnuPG 2.2 says 9 for expired and revoked signing keys too; only the error code tells.
    if (code == 9)
        reason = HasErrorCode(status, ErrNoSeckey) ? "no secret key" : "";
    return WithReason("the signing key is not usable", reason);
}

// What went wrong when making a signature, for signing and for encrypt-and-sign.
std::string SigningProblem(const std::vector<StatusLine>& status) {
    if (const StatusLine* line = Find(status, "INV_SGNR"))
        return InvalidSignerProblem(status, *line);
    if (PassphraseWrong(status))
        return "the passphrase was wrong";
    if (HasErrorCode(status, ErrCanceled))
        return "the passphrase entry was cancelled";
    if (HasErrorCode(status, ErrNoSeckey))
        return "there is no secret key to sign with";
    return std::string();
}

Outcome Failed(std::string problem) {
    Outcome outcome;
    outcome.problem = problem.empty() ? "GnuPG produced no result" : problem;
    return outcome;
}

std::string PercentUnescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
            HexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The user id after the key id in GOODSIG and its kin.
std::string SignerUserId(const StatusLine& line) {
    const std::size_t blank = line.rest.find(' ');
    return blank == std::string::npos ? std::string()
                                      : PercentUnescape(line.rest.substr(blank + 1));
}

} // namespace

std::vector<StatusLine> ParseStatus(const std::string& text) {
    std::vector<StatusLine> lines;
    for (std::string line : SplitLines(text)) {
        if (line.compare(0, kPrefix.size(), kPrefix) != 0)
            continue;
        line.erase(0, kPrefix.size());
        StatusLine status;
        const std::size_t blank = line.find(' ');
        status.keyword = line.substr(0, blank);
        if (status.keyword.empty())
            continue;
        if (blank != std::string::npos)
            status.rest = line.substr(blank + 1);
        std::size_t pos = 0;
        while (pos < status.rest.size()) {
            const std::size_t wordStart = status.rest.find_first_not_of(' ', pos);
            if (wordStart == std::string::npos)
                break;
            std::size_t wordEnd = status.rest.find(' ', wordStart);
            if (wordEnd == std::string::npos)
                wordEnd = status.rest.size();
            status.args.push_back(status.rest.substr(wordStart, wordEnd - wordStart));
            pos = wordEnd;
        }
        lines.push_back(status);
    }
    return lines;
}

Outcome JudgeEncrypt(const std::vector<StatusLine>& status) {
    if (const StatusLine* line = Find(status, "INV_RECP"))
        return Failed(InvalidRecipientProblem(status, *line));
    const std::string signing = SigningProblem(status);
    if (!signing.empty())
        return Failed(signing);
    if (Has(status, "FAILURE"))
        return Failed(ReportedError(status));
    if (!Has(status, "END_ENCRYPTION"))
        return Failed(ReportedError(status));
    Outcome outcome;
    outcome.ok = true;
    return outcome;
}

Outcome JudgeSign(const std::vector<StatusLine>& status) {
    const std::string signing = SigningProblem(status);
    if (!signing.empty())
        return Failed(signing);
    if (Has(status, "FAILURE") || !Has(status, "SIG_CREATED"))
        return Failed(ReportedError(status));
    Outcome outcome;
    outcome.ok = true;
    return outcome;
}

namespace {

// What the status lines said of the decryption itself.
struct DecryptFacts {
    bool decrypted = false, decryptionFailed = false, badMdc = false, plaintext = false;
    bool noData = false, damaged = false, noSecretKey = false;
};

void NoteDecryption(const StatusLine& line, DecryptFacts& facts, DecryptReport& report) {
    const std::string& k = line.keyword;
    if (k == "BEGIN_DECRYPTION" || k == "ENC_TO" || k == "DECRYPTION_FAILED" ||
        k == "DECRYPTION_OKAY")
        report.encrypted = true;
    if (k == "DECRYPTION_OKAY")
        facts.decrypted = true;
    else if (k == "DECRYPTION_FAILED")
        facts.decryptionFailed = true;
    else if (k == "BADMDC")
        facts.badMdc = true;
    else if (k == "PLAINTEXT")
        facts.plaintext = true;
    else if (k == "NO_SECKEY")
        facts.noSecretKey = true;
    else if (k == "NODATA") {
        // 1 and 2: no armour, no packets (plain text gives both); 3, 4: broken packets.
        if (Arg(line, 0) == "1" || Arg(line, 0) == "2")
            facts.noData = true;
        else
            facts.damaged = true;
    }
}

// The signature a status line reports; None for every other line.
SignatureState SignatureOf(const StatusLine& line) {
    const std::string& k = line.keyword;
    if (k == "GOODSIG")
        return SignatureState::Good;
    if (k == "BADSIG")
        return SignatureState::Bad;
    if (k == "EXPSIG")
        return SignatureState::ExpiredSignature;
    if (k == "EXPKEYSIG")
        return SignatureState::ExpiredKey;
    if (k == "REVKEYSIG")
        return SignatureState::RevokedKey;
    if (k == "ERRSIG")
        // rc 9 is a missing public key; the NO_PUBKEY line that follows says the same.
        return Arg(line, 5) == "9" ? SignatureState::NoPublicKey : SignatureState::Error;
    return SignatureState::None;
}

std::string ValidityOf(const std::string& keyword) {
    static const char* const trust[][2] = {{"TRUST_UNDEFINED", "unknown"},
                                           {"TRUST_NEVER", "never"},
                                           {"TRUST_MARGINAL", "marginal"},
                                           {"TRUST_FULLY", "full"},
                                           {"TRUST_ULTIMATE", "ultimate"}};
    for (const auto& t : trust)
        if (keyword == t[0])
            return t[1];
    return {};
}

std::string DecryptProblem(const std::vector<StatusLine>& status, const DecryptFacts& facts) {
    if (PassphraseWrong(status))
        return "the passphrase was wrong";
    if (HasErrorCode(status, ErrCanceled))
        return "the passphrase entry was cancelled";
    if (facts.noSecretKey || HasErrorCode(status, ErrNoSeckey))
        return "there is no secret key to decrypt this text";
    if (facts.badMdc || facts.damaged)
        return "the text is damaged or not valid OpenPGP data";
    if (facts.noData || HasErrorCode(status, ErrNoData))
        return "the text holds no OpenPGP data";
    if (facts.decryptionFailed)
        return "the text could not be decrypted";
    if (!ReportedError(status).empty())
        return ReportedError(status);
    if (facts.plaintext)
        // A clear-signed text whose signature block is broken leaves only PLAINTEXT.
        return "the text is damaged or not valid OpenPGP data";
    return "GnuPG produced no result";
}

} // namespace

DecryptReport JudgeDecrypt(const std::vector<StatusLine>& status) {
    DecryptReport report;
    DecryptFacts facts;
    bool sawBad = false;
    SignatureState first = SignatureState::None;
    for (const StatusLine& line : status) {
        NoteDecryption(line, facts, report);
        const SignatureState state = SignatureOf(line);
        if (state == SignatureState::None) {
            if (line.keyword == "NO_PUBKEY" && first == SignatureState::Error &&
                Arg(line, 0) == report.signerKeyId)
                first = SignatureState::NoPublicKey;
            else if (first != SignatureState::None && report.validity.empty())
                report.validity = ValidityOf(line.keyword);
            continue;
        }
        // Several signatures: the first one is reported, but a bad one anywhere wins.
        if (first == SignatureState::None || (state == SignatureState::Bad && !sawBad)) {
            const bool replacing = first != SignatureState::None;
            first = state;
            report.signerKeyId = Arg(line, 0);
            report.signer = state == SignatureState::NoPublicKey || state == SignatureState::Error
                                ? std::string()
                                : SignerUserId(line);
            if (replacing)
                report.validity.clear();
        }
        sawBad = sawBad || state == SignatureState::Bad;
    }
    report.signature = first;

    if (report.encrypted)
        report.ok = facts.decrypted && !facts.decryptionFailed && !facts.badMdc;
    else
        report.ok = report.signature != SignatureState::None;
    if (!report.ok)
        report.problem = DecryptProblem(status, facts);
    return report;
}

std::string SignatureText(const DecryptReport& report) {
    std::string from; // " from Alice <alice@example.org> (key 0123456789ABCDEF)"
    if (!report.signer.empty())
        from = " from " + report.signer +
               (report.signerKeyId.empty() ? "" : " (key " + report.signerKeyId + ")");
    else if (!report.signerKeyId.empty())
        from = " from key " + report.signerKeyId;
    const std::string byKey = report.signerKeyId.empty() ? "" : " by key " + report.signerKeyId;
    switch (report.signature) {
    case SignatureState::None:
        break;
    case SignatureState::Good:
        return "Good signature" + from +
               (report.validity.empty() ? "" : ", trust: " + report.validity) + ".";
    case SignatureState::Bad:
        return "BAD signature" + from + ": the text was changed after it was signed.";
    case SignatureState::ExpiredSignature:
        return "Expired signature" + from + ": the signature was good but is no longer valid.";
    case SignatureState::ExpiredKey:
        return "Good signature" + from + ", but the key has expired.";
    case SignatureState::RevokedKey:
        return "Good signature" + from + ", but the key has been revoked: do not rely on it.";
    case SignatureState::NoPublicKey:
        return "Signed" + byKey +
               ", whose public key is not on your key ring: the signature cannot be checked.";
    case SignatureState::Error:
        return "The signature" + byKey + " could not be checked.";
    }
    return "The text is not signed.";
}

ImportReport JudgeImport(const std::vector<StatusLine>& status) {
    ImportReport report;
    const StatusLine* result = nullptr;
    for (const StatusLine& line : status)
        if (line.keyword == "IMPORT_RES")
            result = &line; // the last one counts if gpg ever repeats it
    if (result) {
        report.considered = ToCount(Arg(*result, 0));
        report.imported = ToCount(Arg(*result, 2));
        report.unchanged = ToCount(Arg(*result, 4));
        report.newUserIds = ToCount(Arg(*result, 5));
        report.newSubkeys = ToCount(Arg(*result, 6));
        report.newSignatures = ToCount(Arg(*result, 7));
        report.newRevocations = ToCount(Arg(*result, 8));
        report.secretImported = ToCount(Arg(*result, 10));
        report.notImported = ToCount(Arg(*result, 13));
    }
    const int secretUnchanged = result ? ToCount(Arg(*result, 11)) : 0;
    const long long done = 0LL + report.imported + report.unchanged + report.secretImported +
                           report.newUserIds + report.newSubkeys + report.newSignatures +
                           report.newRevocations + secretUnchanged;
    if (result && report.considered > 0 && done > 0) {
        report.ok = true;
        return report;
    }
    if (Has(status, "NODATA") || (result && report.considered == 0))
        report.problem = "the text holds no keys";
    else if (result)
        report.problem = "none of the keys could be imported";
    else if (!ReportedError(status).empty())
        report.problem = ReportedError(status);
    else
        report.problem = "GnuPG produced no result";
    return report;
}

std::string ImportText(const ImportReport& report) {
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    if (report.considered == 0)
        return "No keys found.";
    std::vector<std::string> parts;
    const auto add = [&parts](int n, std::string part) {
        if (n > 0)
            parts.push_back(part);
    };
    add(report.imported, std::to_string(report.imported) + " imported");
    add(report.unchanged, std::to_string(report.unchanged) + " unchanged");
    add(report.secretImported,
        count(report.secretImported, "secret key imported", "secret keys imported"));
    add(report.newUserIds, count(report.newUserIds, "new user id", "new user ids"));
    add(report.newSubkeys, count(report.newSubkeys, "new subkey", "new subkeys"));
    add(report.newSignatures, count(report.newSignatures, "new signature", "new signatures"));
    add(report.newRevocations, count(report.newRevocations, "new revocation", "new revocations"));
    add(report.notImported, std::to_string(report.notImported) + " not imported");
    std::string text = count(report.considered, "key processed", "keys processed");
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? ": " : ", ") + parts[i];
    return text + ".";
}
