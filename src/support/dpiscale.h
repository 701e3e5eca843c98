// Sizes are written in pixels at 96 dots per inch, as the windows were drawn; on a screen with
// more dots per inch (or a monitor the window moves to) they grow with the font.
#pragma once

constexpr int BaseDpi = 96;

// pixels * dpi / 96, rounded half away from zero (as MulDiv rounds).
int ScaleToDpi(int pixels, int dpi);

struct PixelBox {
    int x, y, width, height;
};
PixelBox ScaleBox(const PixelBox& box, int dpi);
