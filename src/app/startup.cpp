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
