// The exchange file on disk: Wextor 5 writes it for a Mail Form Driver and reads what the
// driver left there. Its format is common/mfdexchange.h.
#pragma once

#include "common/mfdexchange.h"

#include <string>

// A missing file reads as empty text, so as a cleared record. Raises FileError when the file
// exists but cannot be read. The file is left in place.
void ReadMfdFile(const std::string& path, TMFDData& message);

// Creates or replaces the file; a failure is reported by WriteFileString, not raised: false then.
bool WriteMfdFile(const TMFDData& message, const std::string& path);
