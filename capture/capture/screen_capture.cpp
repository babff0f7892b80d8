#include "screen_capture.h"

// Screen, window and object captures come with the bitmap library.
void RunScreenCapture(HWND, int) {}
