// The program's own start-up and settings state, beside the state every layer shares.
#pragma once

#include "support/runstate.h"

#include <string>

extern bool SilentStart;
extern bool SuperDebug;
extern int TimerTicks;
extern int RecentPage;               // tab position of the page last chosen
extern std::string DistributionText; // "DistInfo" of DistInfo.Dat
