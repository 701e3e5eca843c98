#include "support/readastr.h"

#include "support/platform.h"

std::string ReadFileString(const std::string& path) {
    if (!platform::FileExists(path))
        return std::string();
    return platform::ReadWholeFile(path);
}
