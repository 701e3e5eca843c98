// Where the "PGP Running" window goes: by the mouse cursor, kept 50 pixels inside the screen.
#pragma once

struct ScreenPoint {
    int x;
    int y;
};

ScreenPoint RunningWindowPosition(ScreenPoint cursor, int width, int height, int screenWidth,
                                  int screenHeight);
