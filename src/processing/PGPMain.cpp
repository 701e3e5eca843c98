#include "processing/PGPMain.h"

#include "processing/armour.h"

const char* const AddKeySwitch = "-AddKey";

const char* const NoDataText = "Couldn't get data from your e-mail program";
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

TMFDData ResultMessage(const std::string& text) {
    TMFDData message;
    ClearMfdData(message);
    message.Body = text;
    message.HasBody = true;
    return message;
}
