// Recognition of PGP ASCII armour by its begin and end lines. Nothing here parses PGP data.
#pragma once

#include <string>

// Each flag is true when the text holds, at the start of some line, the begin marker of that
// kind and, at the start of some line (not necessarily after it), its end marker.
struct ArmourFlags {
    bool AnyBlock = false;     // "-----BEGIN PGP" / "-----END PGP"
    bool KeyBlock = false;     // "-----BEGIN PGP PUBLIC KEY" / "-----END PGP PUBLIC KEY"
    bool SignedBlock = false;  // "-----BEGIN PGP SIGN" / "-----END PGP SIGN"
    bool MessageBlock = false; // "-----BEGIN PGP MESSAGE" / "-----END PGP MESSAGE"
};

inline bool operator==(const ArmourFlags& a, const ArmourFlags& b) {
    return a.AnyBlock == b.AnyBlock && a.KeyBlock == b.KeyBlock && a.SignedBlock == b.SignedBlock &&
           a.MessageBlock == b.MessageBlock;
}
inline bool operator!=(const ArmourFlags& a, const ArmourFlags& b) {
    return !(a == b);
}

// Lines start at the beginning of the text and after every LF; matching is case-sensitive.
ArmourFlags ClassifyArmour(const std::string& text);

// Moves armour begin and end lines indented by exactly one blank back to the start of their
// line; everything else, the lines inside a block included, stays as it is.
std::string UnindentArmour(const std::string& text);
// UnindentArmour where the text stands; returns ClassifyArmour of the result, found on the way.
ArmourFlags UnindentArmourInPlace(std::string& text);
