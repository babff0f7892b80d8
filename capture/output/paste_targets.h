#pragma once

#include <windows.h>

// Builds the table of programs whose paste command is known.
void BuildPasteTargets();
// Brings the chosen program forward and posts it its paste command.
void PasteIntoTarget(HWND mainDialog, HBITMAP picture, bool putOnClipboard);
