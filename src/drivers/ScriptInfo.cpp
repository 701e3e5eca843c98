#include "drivers/ScriptInfo.h"

#include "support/runstate.h"

const char* const ScriptInfoSection = "Information";

std::string ScriptInfoCaption(const std::string& driverFile) {
    return "Mail Form Script - " + MfdDirectory + "\\" + driverFile;
}

std::string ScriptInfoFile(const std::string& driverFile) {
    return MfdDirectory + "\\" + driverFile;
}

std::string ScriptInfoText(
    const std::function<std::string(const std::string& section, const std::string& key)>& read) {
    std::string text;
    for (int k = 1; k <= ScriptInfoLineCount; ++k)
        text += read(ScriptInfoSection, std::to_string(k)) + "\r\n";
    return text;
}
