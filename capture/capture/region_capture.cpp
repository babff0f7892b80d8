#include "region_capture.h"

// Region captures come with the selection overlay.
HBITMAP RunRegionCapture(HWND)
{
    return NULL;
}
