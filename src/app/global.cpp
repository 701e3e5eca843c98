#include "app/global.h"

bool SilentStart = false;
bool SuperDebug = false;
int TimerTicks = 0;
int RecentPage = 2;
std::string DistributionText;
