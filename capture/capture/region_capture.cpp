// Region captures: the user draws the shape in the selection overlay, the part of its
// bounding rectangle outside the shape is painted with the fill colour, and the rectangle
// is copied from the screen.
#include "region_capture.h"

#include "kpdib.h"
#include "selection_overlay.h"
#include "../app/app_state.h"
#include "../resources/resource.h"
#include "../settings/settings.h"

namespace {

HCURSOR ShapeCursor()
{
    switch (CaptureMode) {
    case ModeEllipse:
        return LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDCUR_ELLIPSE));
    case ModeRoundRect:
        return LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDCUR_ROUNDRECT));
    case ModePolygon:
        return LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDCUR_POLYGON));
    case ModeHandMade:
        return LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDCUR_HANDMADE));
    default:
        return LoadCursorA(NULL, IDC_CROSS);
    }
}

void RunOverlay(HWND mainDialog)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = SelectionOverlayProc;
    wc.hInstance = AppInstance;
    wc.lpszClassName = kOverlayClass;
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TRANSPARENT, kOverlayClass, "", WS_POPUP | WS_VISIBLE, 0, 0,
                    GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                    mainDialog, NULL, AppInstance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HRGN ShapeRegion()
{
    const RECT &r = SelectionRect;
    switch (CaptureMode) {
    case ModeEllipse:
        return CreateEllipticRgnIndirect(&r);
    case ModeRoundRect:
        // The corners follow the bottom edge's place on the screen, as the preview's did.
        return CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.bottom / 4, r.bottom / 4);
    default:
        return CreatePolygonRgn(SelectionPoints, SelectionPointCount, ALTERNATE);
    }
}

HBITMAP CopyMasked()
{
    HRGN shape = ShapeRegion();
    HRGN a = CreateRectRgnIndirect(&SelectionRect), b = CreateRectRgnIndirect(&SelectionRect);
    // A shape that could not be made leaves the whole rectangle to be filled.
    if (shape)
        CombineRgn(b, shape, a, RGN_XOR);
    HBRUSH brush = CreateSolidBrush(Settings.fillColor);
    HDC screen = GetDC(NULL);
    FillRgn(screen, b, brush);
    HBITMAP picture = CopyScreenToBitmap(&SelectionRect);
    ReleaseDC(NULL, screen);
    DeleteObject(brush);
    if (shape)
        DeleteObject(shape);
    DeleteObject(a);
    DeleteObject(b);
    return picture;
}

} // namespace

HBITMAP RunRegionCapture(HWND mainDialog)
{
    HCURSOR previous = SetCursor(ShapeCursor());
    SetRectEmpty(&SelectionRect);
    RunOverlay(mainDialog);
    SetActiveWindow(mainDialog);
    SetCursor(previous);
    Sleep(100);
    UnregisterClassA(kOverlayClass, AppInstance);

    // Escape, or a click without a drag, leaves nothing worth a picture: nothing is exported,
    // pasted or saved, and the clipboard keeps what it held.
    if (!SelectionCompleted || SelectionRect.right <= SelectionRect.left ||
        SelectionRect.bottom <= SelectionRect.top)
        return NULL;

    if (CaptureMode == ModeRectangle) {
        DibHandle dib = CopyScreenToDIB(&SelectionRect);
        HBITMAP picture = DIBToBitmap(dib, NULL);
        if (dib)
            GlobalFree(dib);
        return picture;
    }
    return CopyMasked();
}
