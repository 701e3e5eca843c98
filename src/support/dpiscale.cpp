#include "support/dpiscale.h"

int ScaleToDpi(int pixels, int dpi) {
    if (dpi <= 0)
        dpi = BaseDpi;
    const long long product = static_cast<long long>(pixels) * dpi;
    const long long half = BaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / BaseDpi : (product - half) / BaseDpi);
}

PixelBox ScaleBox(const PixelBox& box, int dpi) {
    // Edges are scaled, not sizes, so that neighbouring controls stay as far apart as drawn.
    const int left = ScaleToDpi(box.x, dpi), top = ScaleToDpi(box.y, dpi);
    return {left, top, ScaleToDpi(box.x + box.width, dpi) - left,
            ScaleToDpi(box.y + box.height, dpi) - top};
}
