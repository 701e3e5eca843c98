#include "processing/PGPMain.h"

#include "processing/armour.h"
#include "processing/pgpcontrol.h"

#include <algorithm>

const char* const AddKeySwitch = "-AddKey";

const char* const PostWarningText =
    "You have opted to encrypt a message to a mailing list or newsgroup. This is not usually "
    "appropriate conduct. Are you sure you want to do this?";

std::string StaleCommandText() {
    return std::string("A previous run of ") + ApplicationTitle +
           " appears to be active and a PGP dialog present. We suggest using alt-TAB to find the "
           "relevant PGP dialog\r\n\nIf you use the Ignore button, you may encounter errors";
}

bool LacksMailData(const TMFDData& message) {
    const bool knownKind = (message.Wtype & (WTYPE_MAIL | WTYPE_POST | WTYPE_READ)) != 0;
    return !knownKind && message.Body.empty();
}

bool HoldsWrappedKey(bool ignoreWrappedKeys, const std::string& before, const std::string& after) {
    return !ignoreWrappedKeys && after != before && ClassifyArmour(after).KeyBlock;
}

bool PgpLeftResult(const std::string& before, const std::string& after) {
    return after != before && ClassifyArmour(after).AnyBlock;
}

std::string UnfitBodyText(const std::string& body) {
    const std::size_t nul = body.find('\0');
    if (nul != std::string::npos)
        return "This message holds a zero byte (at position " + std::to_string(nul + 1) +
               ") and cannot pass through the clipboard to PGP whole.\r\n\r\nNothing was "
               "changed: remove the zero byte (it may come from a pasted file) and try again.";
    if (body.size() > MaxMessageBytes)
        return TooLongText(body.size());
    return std::string();
}

std::string TooLongText(unsigned long long bytes) {
    return "This message is " + std::to_string(bytes) + " bytes long; " + ApplicationTitle +
           " takes messages of up to " + std::to_string(MaxMessageBytes) +
           " bytes (16 MB).\r\n\r\nNothing was changed: send large files as an encrypted "
           "attachment instead.";
}

unsigned long long BodyBytesOfFile(unsigned long long fileBytes, const std::string& head) {
    const std::size_t separator = head.find("\r\n\r\n");
    if (separator == std::string::npos)
        return fileBytes;
    return fileBytes - std::min<unsigned long long>(fileBytes, separator + 4);
}

std::string OutgoingFailureText(const std::string& pgpSwitch) {
    return IsEncryptingSwitch(pgpSwitch) ? "PGP failed to encrypt!!!" : "PGP failed to sign!!!";
}

std::string StaleExchangeText(const std::string& path) {
    return "The exchange file " + path +
           " is left over from an earlier run and cannot be "
           "removed.\r\n\r\nNothing was changed in your e-mail program. Close the program that "
           "holds the file, or delete it, and try again.";
}

const char* const RunRefusedLogLine = "Run refused: a run is in progress";

TMFDData ResultMessage(const std::string& text) {
    TMFDData message;
    ClearMfdData(message);
    message.Body = text;
    message.HasBody = true;
    return message;
}
