#include "keylist.h"
#include "text.h"

#include "common/hexdigits.h"

#include <cctype>
#include <cstddef>

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = line.find(':', start);
        if (colon == std::string::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, colon - start));
        start = colon + 1;
    }
}

const std::string& Field(const std::vector<std::string>& fields, std::size_t index) {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool Contains(const std::string& haystack, const std::string& lowerNeedle) {
    return Lower(haystack).find(lowerNeedle) != std::string::npos;
}

} // namespace

std::string UnescapeColonField(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x') {
            const int high = HexDigitValue(field[i + 2]), low = HexDigitValue(field[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<GpgKey> ParseKeyList(const std::string& colons) {
    std::vector<GpgKey> keys;
    bool primaryFprDue = false; // the next "fpr" belongs to the primary key
    bool inKey = false;         // records before the first pub/sec belong to no key
    for (const std::string& line : SplitLines(colons)) {
        const std::vector<std::string> fields = SplitFields(line);
        const std::string& type = fields[0];
        if (type == "pub" || type == "sec") {
            GpgKey key;
            key.keyId = Field(fields, 4);
            const std::string& validity = Field(fields, 1);
            key.validity = validity.empty() ? '-' : validity[0];
            const std::string& caps = Field(fields, 11);
            // Lower-case letters are the primary key's own; upper-case ones the usable key's.
            key.canEncrypt = caps.find('E') != std::string::npos;
            key.canSign = caps.find('S') != std::string::npos;
            key.secret = type == "sec";
            keys.push_back(key);
            inKey = true;
            primaryFprDue = true;
        } else if (!inKey) {
            continue;
        } else if (type == "fpr") {
            if (primaryFprDue)
                keys.back().fingerprint = Field(fields, 9);
            primaryFprDue = false;
        } else if (type == "uid") {
            GpgKey& key = keys.back();
            key.userIds.push_back(UnescapeColonField(Field(fields, 9)));
            if (key.userIds.size() == 1)
                key.userId = key.userIds.front();
            primaryFprDue = false;
        } else if (type == "sub" || type == "ssb") {
            primaryFprDue = false;
        } else if (type == "crt" || type == "crs") {
            // X.509 certificates are not for the bridge; keep their lines off the last key.
            inKey = false;
        }
        // "grp", "tru", "rvk", "uat", "sig" and the like carry nothing the bridge shows.
    }
    return keys;
}

std::string ValidityText(char validity) {
    switch (validity) {
    case 'u':
        return "ultimate";
    case 'f':
        return "full";
    case 'm':
        return "marginal";
    case 'n':
        return "never";
    case 'e':
        return "expired";
    case 'r':
        return "revoked";
    case 'd':
        return "disabled";
    case 'i':
        return "invalid";
    default: // o, q, - and letters newer GnuPG versions may add
        return "unknown";
    }
}

bool IsFullyValid(char validity) {
    return validity == 'f' || validity == 'u';
}

bool IsUsable(const GpgKey& key) {
    switch (key.validity) {
    case 'e':
    case 'r':
    case 'd':
    case 'i':
        return false;
    default:
        return true;
    }
}

bool KeyMatchesFilter(const GpgKey& key, const std::string& filter) {
    const std::string lowerFilter = Lower(filter);
    std::size_t start = 0;
    while (start < lowerFilter.size()) {
        const std::size_t wordStart = lowerFilter.find_first_not_of(" \t", start);
        if (wordStart == std::string::npos)
            break;
        std::size_t wordEnd = lowerFilter.find_first_of(" \t", wordStart);
        if (wordEnd == std::string::npos)
            wordEnd = lowerFilter.size();
        std::string word = lowerFilter.substr(wordStart, wordEnd - wordStart);
        start = wordEnd;
        bool found = Contains(key.userId, word);
        for (const std::string& uid : key.userIds)
            found = found || Contains(uid, word);
        // People write key ids as 0x1234ABCD.
        std::string hex = word;
        if (hex.size() > 2 && hex.compare(0, 2, "0x") == 0)
            hex.erase(0, 2);
        found = found || Contains(key.keyId, hex) || Contains(key.fingerprint, hex);
        if (!found)
            return false;
    }
    return true;
}
