// Version resources come from any file the user's PGP folder holds: the reader must survive
// every byte string, as a PE file and as a bare version block.
#include "support/verslab.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string block = VersionResourceOfPe(bytes);
    if (block.size() > bytes.size())
        __builtin_trap();
    VersionValueOfPe(bytes, "080904E4", "FileVersion");
    VersionValueOfPe(bytes, "040904b0", "ProductName");
    for (const std::string* input : {&bytes, &block}) {
        const VersionQueryResult r =
            QueryVersionBlock(*input, VersionQueryPath("080904E4", "FileVersion"));
        // A value never holds a NUL and never more characters than the resource gives.
        if (r.found && (r.text.size() > r.length || r.text.find('\0') != std::string::npos))
            __builtin_trap();
        QueryVersionBlock(*input, "\\StringFileInfo");
        QueryVersionBlock(*input, "\\");
    }
    return 0;
}
