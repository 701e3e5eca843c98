#include "processing/opchoice.h"

#include "support/runstate.h"
#include "processing/armour.h"
#include "common/blanks.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool IsAddressSeparator(char c) {
    return c == ' ' || c == ',' || c == ';';
}

std::string AsciiLowered(const char* data, std::size_t size) {
    std::string s(data, size);
    std::transform(s.begin(), s.end(), s.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return s;
}

} // namespace

void ModeSwitch(int modeIndex, std::string& pgpSwitch) {
    switch (modeIndex) {
    case 0:
        pgpSwitch = "-AutoEncrypt";
        break;
    case 1:
        pgpSwitch = "-AutoSign";
        break;
    case 2:
        pgpSwitch = "-AutoEncryptSign";
        break;
    default: // no selection: whatever an earlier rule chose stands
        break;
    }
}

bool IsMailingListAddress(const std::string& to, const std::string& cc,
                          const std::vector<std::string>& mailingList) {
    if (mailingList.empty())
        return false;
    std::unordered_set<std::string> entries;
    for (const std::string& entry : mailingList)
        entries.insert(AsciiLowered(entry.data(), entry.size()));

    std::string text = to + " " + cc;
    std::size_t b = 0, e = text.size();
    TrimBlankOrControl(text, b, e);
    text = text.substr(b, e - b) + " ";

    // A token is the run of characters since the last lookup; a run of separators looks up once.
    // The walk starts with a token pending, so a leading separator looks up the empty token.
    bool pending = true;
    std::size_t tokenStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsAddressSeparator(text[i])) {
            pending = true;
            continue;
        }
        if (pending) {
            if (entries.count(AsciiLowered(text.data() + tokenStart, i - tokenStart)) != 0)
                return true;
            pending = false;
        }
        tokenStart = i + 1;
    }
    return false;
}

PgpChoice ChoosePgpSwitch(TMFDData& message, bool routine, const ProcessingSettingsView& settings) {
    PgpChoice choice;
    const bool mail = (message.Wtype & WTYPE_MAIL) != 0;
    bool post = (message.Wtype & WTYPE_POST) != 0;
    choice.read = (message.Wtype & WTYPE_READ) != 0;

    ArmourFlags armour; // of the body as it goes to PGP
    if (choice.read)
        armour = UnindentArmourInPlace(message.Body);
    StepCode = 5507;
    if (!choice.read)
        armour = ClassifyArmour(message.Body);

    // A compose window that already holds a PGP block other than a key is read, not sent.
    if ((mail || post) && armour.AnyBlock && !armour.KeyBlock)
        choice.read = true;
    // A key beside a signed or encrypted block is decrypted first; a key inside comes out then.
    bool keyImport = choice.read && armour.KeyBlock && !armour.SignedBlock && !armour.MessageBlock;
    if (!routine && settings.ForceKeyRead() && choice.read && armour.KeyBlock)
        keyImport = true;

    StepCode = 5508;
    const bool listed =
        IsMailingListAddress(message.To, message.Cc, settings.MailingListAddresses());

    StepCode = 5509;
    if (mail && routine)
        ModeSwitch(settings.RoutineModeIndex(), choice.pgpSwitch);
    if ((post || listed) && routine)
        choice.pgpSwitch = "-AutoSign";
    if (!routine)
        ModeSwitch(settings.SpecialModeIndex(), choice.pgpSwitch);
    if (choice.read) {
        choice.pgpSwitch = "-AutoDecryptVerify";
        post = false;
    }
    if (keyImport)
        choice.pgpSwitch = "-AddKey";

    choice.postWarning = !routine && post && settings.SpecialModeIndex() != 1;
    return choice;
}
