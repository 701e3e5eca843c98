#include "app/startup.h"

bool HasSilentSwitch(const std::string& commandLineText) {
    return commandLineText.find("/s") != std::string::npos;
}

bool HasInvisibleSwitch(const std::string& commandLineText) {
    return commandLineText.find("/i") != std::string::npos;
}

bool TimerTickIsDaily(int& timerTicks) {
    ++timerTicks;
    if (timerTicks <= 14400)
        return false;
    timerTicks = 0;
    return true;
}

const char* const TrayHintKey = "TrayHintShown";
const char* const TrayHintTitle = "Wextor 5 is here";
const char* const TrayHintText =
    "Click this icon to encrypt, sign or decrypt the message in the window you work in. "
    "Right-click it for the settings.";

bool TrayHintDue(const std::string& storedValue) {
    return storedValue != "1";
}
