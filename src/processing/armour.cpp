#include "processing/armour.h"

#include <cstring>

namespace {

bool HasAt(const char* data, std::size_t size, std::size_t at, const char* marker,
           std::size_t length) {
    return size - at >= length && std::memcmp(data + at, marker, length) == 0;
}

template <std::size_t N>
bool HasAt(const char* data, std::size_t size, std::size_t at, const char (&marker)[N]) {
    return HasAt(data, size, at, marker, N - 1);
}

// The kinds that follow "-----BEGIN PGP" or "-----END PGP" on a line, as bits.
enum : unsigned { kAny = 1, kKey = 2, kSigned = 4, kMessage = 8, kAll = 15 };

unsigned KindsAt(const char* data, std::size_t size, std::size_t at) {
    unsigned kinds = kAny;
    if (HasAt(data, size, at, " PUBLIC KEY"))
        kinds |= kKey;
    else if (HasAt(data, size, at, " SIGN"))
        kinds |= kSigned;
    else if (HasAt(data, size, at, " MESSAGE"))
        kinds |= kMessage;
    return kinds;
}

// Collects the kinds of the begin and end lines found at line starts.
struct MarkerSet {
    unsigned begins = 0, ends = 0;

    // `at` is a line start that begins with a dash.
    void AddLine(const char* data, std::size_t size, std::size_t at) {
        if (HasAt(data, size, at, "-----BEGIN PGP"))
            begins |= KindsAt(data, size, at + 14);
        else if (HasAt(data, size, at, "-----END PGP"))
            ends |= KindsAt(data, size, at + 12);
    }
    bool Complete() const { return (begins & ends) == kAll; }
    ArmourFlags Flags() const {
        const unsigned both = begins & ends;
        ArmourFlags flags;
        flags.AnyBlock = (both & kAny) != 0;
        flags.KeyBlock = (both & kKey) != 0;
        flags.SignedBlock = (both & kSigned) != 0;
        flags.MessageBlock = (both & kMessage) != 0;
        return flags;
    }
};

std::size_t Find(const char* data, std::size_t size, std::size_t from, char c) {
    if (from >= size)
        return std::string::npos;
    const void* found = std::memchr(data + from, c, size - from);
    return found ? static_cast<const char*>(found) - data : std::string::npos;
}

// Armour lines are found through their first dash: text without dashes is passed over by
// memchr, and a line with a dash costs one more memchr to reach the next line. `visit` gets the
// position of the first dash of every line that has one and returns false to stop.
template <typename Visit> void ForEachFirstDash(const char* data, std::size_t size, Visit visit) {
    for (std::size_t at = Find(data, size, 0, '-'); at != std::string::npos;) {
        if (!visit(at))
            return;
        const std::size_t lf = Find(data, size, at, '\n');
        at = lf == std::string::npos ? lf : Find(data, size, lf + 1, '-');
    }
}

// Drops the blank in front of every armour begin or end line indented by exactly one blank, and
// in front of a begin line at the very start, compacting the text where it stands. Returns the
// markers of the result, collected on the way.
MarkerSet Unindent(std::string& text) {
    char* data = &text[0];
    const std::size_t size = text.size();
    MarkerSet markers;
    std::size_t write = 0, copied = 0; // text before `copied` is dealt with
    // Nothing before `copied` is read again: every visit lies after the last dropped blank.
    ForEachFirstDash(data, size, [&](std::size_t dash) {
        if (dash == 0 || data[dash - 1] == '\n') {
            markers.AddLine(data, size, dash);
            return true;
        }
        const std::size_t line = dash - 1;
        if (data[line] != ' ')
            return true;
        const bool drop =
            line == 0 ? HasAt(data, size, 0, " -----BEGIN PGP ")
                      : data[line - 1] == '\n' && (HasAt(data, size, line, " -----BEGIN PGP ") ||
                                                   HasAt(data, size, line, " -----END PGP "));
        if (!drop)
            return true;
        markers.AddLine(data, size, dash);
        std::memmove(data + write, data + copied, line - copied);
        write += line - copied;
        copied = dash;
        return true;
    });
    if (copied != 0) {
        std::memmove(data + write, data + copied, size - copied);
        text.resize(write + size - copied);
    }
    return markers;
}

} // namespace

// Gives the same flags as searching LF + marker for each of the eight markers in the text with
// an LF put in front.
ArmourFlags ClassifyArmour(const std::string& text) {
    MarkerSet markers;
    ForEachFirstDash(text.data(), text.size(), [&](std::size_t dash) {
        if (dash == 0 || text[dash - 1] == '\n')
            markers.AddLine(text.data(), text.size(), dash);
        return !markers.Complete();
    });
    return markers.Flags();
}

// Same result as dropping the blank of a leading " -----BEGIN PGP " and then ReplaceAll of
// LF + " -----BEGIN PGP " and of LF + " -----END PGP ": neither pattern can overlap itself or be
// formed anew by a replacement, so every occurrence in the original text is replaced once and
// nothing else.
std::string UnindentArmour(const std::string& text) {
    std::string result = text;
    Unindent(result);
    return result;
}

ArmourFlags UnindentArmourInPlace(std::string& text) {
    return Unindent(text).Flags();
}
