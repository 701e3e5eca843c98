#include "drivers/PathOfF.h"

std::string PathOf(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? path : path.substr(0, last + 1);
}
