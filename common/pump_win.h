// The one loop that runs the window messages waiting for this thread.
#pragma once

// Dispatches the waiting messages. A WM_QUIT ends it and is posted again for the main loop:
// false then (the program is ending).
bool PumpPendingMessages();
