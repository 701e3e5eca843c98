// The bridge's answer to PGPtray's commands it does not carry out.
#pragma once
#include "common/pgptray.h"

#include <string>

// The notice for commands the bridge does not carry out ("40019 and others").
std::string NoticeText(int command);
