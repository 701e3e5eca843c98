// The scope guard is shared with the GnuPG bridge, which holds its busy flag with it too.
#pragma once

#include "common/flagscope.h"
