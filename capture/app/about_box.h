#pragma once

#include <windows.h>

// The About box, with the line naming the running system.
void RunAboutBox(HWND owner);
