#include "processing/armour.h"

#include <cstring>

namespace {

bool HasAt(const std::string& text, std::size_t at, const char* marker, std::size_t length) {
    return text.size() - at >= length && std::memcmp(text.data() + at, marker, length) == 0;
}

template <std::size_t N>
bool HasAt(const std::string& text, std::size_t at, const char (&marker)[N]) {
    return HasAt(text, at, marker, N - 1);
}

// The kinds that follow "-----BEGIN PGP" or "-----END PGP" on a line, as bits.
enum : unsigned { kAny = 1, kKey = 2, kSigned = 4, kMessage = 8, kAll = 15 };

unsigned KindsAt(const std::string& text, std::size_t at) {
    unsigned kinds = kAny;
    if (HasAt(text, at, " PUBLIC KEY"))
        kinds |= kKey;
    else if (HasAt(text, at, " SIGN"))
        kinds |= kSigned;
    else if (HasAt(text, at, " MESSAGE"))
        kinds |= kMessage;
    return kinds;
}

// Position after the next LF at or after `from`, or npos.
std::size_t NextLineStart(const std::string& text, std::size_t from) {
    if (from >= text.size())
        return std::string::npos;
    const void* lf = std::memchr(text.data() + from, '\n', text.size() - from);
    return lf ? static_cast<const char*>(lf) - text.data() + 1 : std::string::npos;
}

} // namespace

// One walk over the line starts gives the same flags as searching LF + marker for each of the
// eight markers in the text with an LF put in front.
ArmourFlags ClassifyArmour(const std::string& text) {
    unsigned begins = 0, ends = 0;
    for (std::size_t line = 0; line != std::string::npos && (begins & ends) != kAll;
         line = NextLineStart(text, line)) {
        if (!HasAt(text, line, "-----"))
            continue;
        if (HasAt(text, line, "-----BEGIN PGP"))
            begins |= KindsAt(text, line + 14);
        else if (HasAt(text, line, "-----END PGP"))
            ends |= KindsAt(text, line + 12);
    }
    const unsigned both = begins & ends;
    ArmourFlags flags;
    flags.AnyBlock = (both & kAny) != 0;
    flags.KeyBlock = (both & kKey) != 0;
    flags.SignedBlock = (both & kSigned) != 0;
    flags.MessageBlock = (both & kMessage) != 0;
    return flags;
}

// Same result as dropping the blank of a leading " -----BEGIN PGP " and then ReplaceAll of
// LF + " -----BEGIN PGP " and of LF + " -----END PGP ": neither pattern can overlap itself or be
// formed anew by a replacement, so every occurrence in the original text is replaced once and
// nothing else. Done in one walk that copies the stretches between the dropped blanks.
std::string UnindentArmour(const std::string& text) {
    std::string out;
    std::size_t copied = 0; // text before this position is dealt with
    const auto dropBlankAt = [&](std::size_t blank) {
        if (out.empty())
            out.reserve(text.size());
        out.append(text, copied, blank - copied);
        copied = blank + 1;
    };
    if (HasAt(text, 0, " -----BEGIN PGP "))
        dropBlankAt(0);
    for (std::size_t line = NextLineStart(text, 0); line != std::string::npos;
         line = NextLineStart(text, line)) {
        if (HasAt(text, line, " -----BEGIN PGP ") || HasAt(text, line, " -----END PGP "))
            dropBlankAt(line);
    }
    if (copied == 0)
        return text;
    out.append(text, copied, std::string::npos);
    return out;
}
