#pragma once

#include <windows.h>

// Centres a top-level window on the primary screen, keeping its size and z-order.
void CentreDialog(HWND window);
