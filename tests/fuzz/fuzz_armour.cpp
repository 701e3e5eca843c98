// ClassifyArmour and UnindentArmour against the plain search-and-replace they stand for, plus
// the properties the processing run relies on.
#include "processing/armour.h"
#include "support/replace.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

ArmourFlags ReferenceClassify(const std::string& text) {
    const std::string t = "\n" + text;
    const auto both = [&](const char* begin, const char* end) {
        return t.find(std::string("\n") + begin) != std::string::npos &&
               t.find(std::string("\n") + end) != std::string::npos;
    };
    ArmourFlags f;
    f.AnyBlock = both("-----BEGIN PGP", "-----END PGP");
    f.KeyBlock = both("-----BEGIN PGP PUBLIC KEY", "-----END PGP PUBLIC KEY");
    f.SignedBlock = both("-----BEGIN PGP SIGN", "-----END PGP SIGN");
    f.MessageBlock = both("-----BEGIN PGP MESSAGE", "-----END PGP MESSAGE");
    return f;
}

std::string ReferenceUnindent(std::string text) {
    if (text.compare(0, 16, " -----BEGIN PGP ") == 0)
        text.erase(0, 1);
    text = ReplaceAll("\n -----BEGIN PGP ", text, "\n-----BEGIN PGP ");
    return ReplaceAll("\n -----END PGP ", text, "\n-----END PGP ");
}

// Every flag of a is also set in b.
bool Within(const ArmourFlags& a, const ArmourFlags& b) {
    return (!a.AnyBlock || b.AnyBlock) && (!a.KeyBlock || b.KeyBlock) &&
           (!a.SignedBlock || b.SignedBlock) && (!a.MessageBlock || b.MessageBlock);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ArmourFlags flags = ClassifyArmour(text);
    Check(flags == ReferenceClassify(text));
    Check(flags == ClassifyArmour("\n" + text)); // the start of the text is a line start
    Check(flags.AnyBlock || (!flags.KeyBlock && !flags.SignedBlock && !flags.MessageBlock));

    const std::string unindented = UnindentArmour(text);
    Check(unindented == ReferenceUnindent(text));
    Check(unindented.size() <= text.size());
    Check(UnindentArmour(unindented) == unindented);
    std::string inPlace = text;
    const ArmourFlags unindentedFlags = UnindentArmourInPlace(inPlace);
    Check(inPlace == unindented && unindentedFlags == ReferenceClassify(unindented));
    Check(Within(flags, ClassifyArmour(unindented)));
    // Appending text can only add flags.
    Check(Within(flags, ClassifyArmour(text + "\n" + text)));
    return 0;
}
