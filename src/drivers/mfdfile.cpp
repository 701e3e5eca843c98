#include "drivers/mfdfile.h"

#include "support/error.h"
#include "support/readastr.h"

void ReadMfdFile(const std::string& path, TMFDData& message) {
    ClearMfdData(message); // nothing stale is left behind when the read raises
    ParseMfdText(ReadFileString(path), message);
}

bool WriteMfdFile(const TMFDData& message, const std::string& path) {
    return WriteFileString(path, BuildMfdText(message));
}
