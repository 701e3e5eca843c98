// The stand-in's "cryptography": a deterministic, reversible transform dressed as PGP ASCII
// armour (the text XOR a fixed key stream, base64 in 64-column lines, CRC-24 checksum line,
// CR LF line ends). Good enough to look like PGP output and to be undone exactly; no secrecy.
#pragma once

#include <string>
#include <vector>

namespace armour {

// Whole text as one "-----BEGIN PGP MESSAGE-----" block; withSignature marks the payload as
// signed, which decryption reports as a good signature.
std::string Encrypt(const std::string& text, bool withSignature);

// Clear-signed text: "-----BEGIN PGP SIGNED MESSAGE-----", the dash-escaped text, then a
// "-----BEGIN PGP SIGNATURE-----" ... "-----END PGP SIGNATURE-----" block.
std::string ClearSign(const std::string& text);

// A public-key block of the stand-in's correspondent.
std::string StandInKeyBlock();

struct Decoded {
    bool found = false;               // at least one message or signed block was seen
    std::string text;                 // the input with every readable block replaced by its text
    std::vector<std::string> results; // one word per block, in order
};

// Replaces every encrypted and clear-signed block by its plain text; the text around the
// blocks stays as it is. A block ends after its end line's line break. Results per block:
// "decrypted", "decrypted+good-signature", "decrypted+bad-signature", "good-signature",
// "bad-signature", "bad-checksum", "cannot-decrypt" (a block the stand-in did not make).
// Blocks that cannot be read stay in the text unchanged.
Decoded DecryptVerify(const std::string& text);

// The public-key blocks of a text, each from its begin line to its end line, with CR LF.
std::vector<std::string> KeyBlocks(const std::string& text);

} // namespace armour
