#include "magnifier.h"

// The magnifier library comes with the fixed-area work; until then nothing opens.
HWND OpenMagnifier(HWND)
{
    return NULL;
}

HBITMAP CaptureMagnifier(HWND)
{
    return NULL;
}

void CloseMagnifier(HWND) {}
