#include "support/placefrm.h"

#include <cstdint>

int PlacedEdge(int screenSize, int windowSize, int fractionTenThousandths) {
    // Exact in integers: value = free * fraction / 10000, rounded half to even.
    const std::int64_t num =
        static_cast<std::int64_t>(screenSize - windowSize) * fractionTenThousandths;
    const std::int64_t den = 10000;
    std::int64_t q = num / den, r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return static_cast<int>(q);
}
