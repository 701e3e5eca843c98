// The fields of a line joined with "!" give the line back; no field holds a "!", and indexes
// outside the line give empty fields.
#include "support/fields.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const int count = static_cast<int>(std::count(line.begin(), line.end(), '!')) + 1;
    std::string joined;
    for (int i = 1; i <= count; ++i) {
        const std::string field = ExtractField(line, i);
        if (field.find('!') != std::string::npos)
            std::abort();
        if (i > 1)
            joined += '!';
        joined += field;
    }
    if (joined != line || !ExtractField(line, 0).empty() ||
        !ExtractField(line, count + 1).empty() || !ExtractField(line, -1).empty())
        std::abort();
    return 0;
}
