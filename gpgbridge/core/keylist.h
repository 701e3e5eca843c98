// Keys as GnuPG lists them with --with-colons.
#pragma once
#include <string>
#include <vector>

struct GpgKey {
    std::string keyId;       // long key id of the primary key, 16 hex digits
    std::string fingerprint; // of the primary key
    std::string userId;      // first user id, unescaped (UTF-8 as GnuPG gives it)
    std::vector<std::string> userIds;
    char validity = '-';     // GnuPG's validity letter of the key (o, i, d, r, e, -, q, n, m, f, u)
    bool canEncrypt = false; // the key as a whole offers encryption ("E" among its capabilities)
    bool canSign = false;    // ... signing ("S")
    bool secret = false;     // listed by --list-secret-keys
};

// Parses "pub"/"sec" records with their "fpr" and "uid" lines; other records are skipped.
std::vector<GpgKey> ParseKeyList(const std::string& colons);
// Undoes GnuPG's \xNN escapes in colon fields.
std::string UnescapeColonField(const std::string& field);
// The validity in words for the recipients list: "ultimate", "full", "marginal", "unknown",
// "never", "expired", "revoked", "disabled", "invalid".
std::string ValidityText(char validity);
// Valid enough to encrypt to without asking: full or ultimate.
bool IsFullyValid(char validity);
// Expired, revoked, disabled or invalid keys cannot be used at all.
bool IsUsable(const GpgKey& key);
// Case-insensitive: every blank-separated word of the filter is found in a user id or the key
// id or fingerprint. The empty filter matches every key.
bool KeyMatchesFilter(const GpgKey& key, const std::string& filter);
