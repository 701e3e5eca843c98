#include "processing/running.h"

ScreenPoint RunningWindowPosition(ScreenPoint cursor, int width, int height, int screenWidth,
                                  int screenHeight) {
    int x = cursor.x, y = cursor.y;
    if (y < height + 50)
        y = height + 50;
    if (x < width + 50)
        x = width + 50;
    if (y + height > screenHeight - 50)
        y = screenHeight - height - 50;
    if (x + width > screenWidth - 50)
        x = screenWidth - width - 50;
    return {x, y};
}
