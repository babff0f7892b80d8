#pragma once

#include <windows.h>

// Saves the picture into the chosen folder, under the chosen name and format.
void SaveCapture(HBITMAP picture);
