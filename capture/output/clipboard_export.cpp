#include "clipboard_export.h"

// The conversions come with the bitmap library.
int ExportToClipboard(HWND, HBITMAP)
{
    return 0;
}
