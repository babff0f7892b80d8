#include "selection_overlay.h"

#include "../app/app_state.h"
#include "../settings/settings.h"

const char kOverlayClass[] = "KAPTO_class";

RECT SelectionRect;
POINT SelectionPoints[kSelectionCapacity];
int SelectionPointCount;
BOOL SelectionCompleted;

namespace {

HDC screenDC;
HWND previousCapture;
POINT anchor;
RECT dragRect;
bool tracking;
bool polygonStarted;
bool firstMoveSeen;
bool rubberShown;
POINT rubberEnd;
bool altDown;
HPEN tracePen;
HGDIOBJ oldPen;
TrailState trail;

void DeleteTracePen()
{
    if (!tracePen)
        return;
    SelectObject(screenDC, oldPen);
    DeleteObject(tracePen);
    tracePen = NULL;
}

void EndOverlay(HWND window)
{
    tracking = false;
    ReleaseDC(NULL, screenDC);
    screenDC = NULL;
    DestroyWindow(window);
}

void DrawPreview(const RECT &r)
{
    switch (CaptureMode) {
    case ModeEllipse:
        EllipseInvert(screenDC, r);
        break;
    case ModeRectangle:
        FrameInvert(screenDC, r);
        break;
    case ModeRoundRect:
        RoundRectInvert(screenDC, r);
        break;
    }
}

// Bounding rectangle of the points: the largest x and y themselves, not one beyond.
RECT PointBounds(LONG left, LONG top)
{
    RECT r = {left, top, 0, 0};
    for (int i = 0; i < SelectionPointCount; ++i) {
        const POINT &p = SelectionPoints[i];
        r.left = p.x < r.left ? p.x : r.left;
        r.top = p.y < r.top ? p.y : r.top;
        r.right = p.x > r.right ? p.x : r.right;
        r.bottom = p.y > r.bottom ? p.y : r.bottom;
    }
    return r;
}

void DrawRubberBand(POINT to)
{
    POINT last = SelectionPoints[SelectionPointCount - 1], first = SelectionPoints[0];
    MoveToEx(screenDC, last.x, last.y, NULL);
    LineTo(screenDC, to.x, to.y);
    MoveToEx(screenDC, first.x, first.y, NULL);
    LineTo(screenDC, to.x, to.y);
}

void OnPolygonClick(HWND window, POINT click)
{
    // Wine resynchronises the key state from the X server when the window is clicked, and
    // loses an Alt that arrived as input of its own; the overlay's own record keeps it.
    if (GetKeyState(VK_MENU) < 0 || altDown) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SelectionRect = PointBounds(work.right, work.bottom);
        SelectionCompleted = TRUE;
        SetCapture(previousCapture);
        DeleteTracePen();
        EndOverlay(window);
        return;
    }
    if (polygonStarted) {
        AppendCorner(SelectionPoints, &SelectionPointCount, kSelectionCapacity, click);
        return;
    }
    anchor = click;
    SelectionPoints[0] = click;
    SelectionPointCount = 1;
    MoveToEx(screenDC, click.x, click.y, NULL);
    tracking = polygonStarted = true;
    rubberShown = false;
}

void OnButtonDown()
{
    GetCursorPos(&anchor);
    dragRect = RECT{anchor.x, anchor.y, anchor.x, anchor.y};
    tracking = true;
    if (CaptureMode != ModeHandMade)
        return;
    firstMoveSeen = true;
    trail = TrailState();
    SelectionPoints[0] = anchor;
    SelectionPointCount = 1;
    MoveToEx(screenDC, anchor.x, anchor.y, NULL);
    tracePen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    oldPen = SelectObject(screenDC, tracePen);
}

void OnMouseMove(POINT at)
{
    if (CaptureMode == ModePolygon) {
        if (!tracking || !polygonStarted)
            return;
        SetROP2(screenDC, R2_NOT);
        if (rubberShown)
            DrawRubberBand(rubberEnd);
        DrawRubberBand(at);
        rubberEnd = at;
        rubberShown = true;
        return;
    }
    if (!tracking)
        return;
    if (firstMoveSeen)
        DrawPreview(dragRect);
    else
        firstMoveSeen = true;
    POINT cursor;
    GetCursorPos(&cursor);
    dragRect = RECT{anchor.x, anchor.y, cursor.x, cursor.y};
    if (CaptureMode == ModeRectangle)
        NormalizeRect(&dragRect);
    if (CaptureMode == ModeHandMade) {
        AppendTrailPoint(SelectionPoints, &SelectionPointCount, kSelectionCapacity, &trail, cursor);
        LineTo(screenDC, cursor.x, cursor.y);
    } else {
        DrawPreview(dragRect);
    }
}

void OnButtonUp(HWND window)
{
    if (CaptureMode == ModePolygon || !tracking)
        return;
    // A click without a move drew nothing, so there is nothing to erase.
    if (firstMoveSeen && CaptureMode != ModeHandMade)
        DrawPreview(dragRect);
    NormalizeRect(&dragRect);
    SetCapture(previousCapture);
    if (CaptureMode == ModeHandMade) {
        POINT end;
        GetCursorPos(&end);
        EndTrail(SelectionPoints, &SelectionPointCount, kSelectionCapacity, &trail, end);
        DeleteTracePen();
        SelectionRect =
            PointBounds(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    } else {
        SelectionRect = dragRect;
    }
    SelectionCompleted = TRUE;
    EndOverlay(window);
}

} // namespace

void FrameInvert(HDC dc, const RECT &r)
{
    if (IsRectEmpty(&r))
        return;
    PatBlt(dc, r.left, r.top, r.right - r.left, 1, DSTINVERT);
    PatBlt(dc, r.left, r.bottom, 1, r.top - r.bottom, DSTINVERT);
    PatBlt(dc, r.right - 1, r.top, 1, r.bottom - r.top, DSTINVERT);
    PatBlt(dc, r.right, r.bottom - 1, r.left - r.right, 1, DSTINVERT);
    if (Settings.snapinvertcolor)
        PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

void EllipseInvert(HDC dc, const RECT &r)
{
    SetROP2(dc, R2_NOT);
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
}

void RoundRectInvert(HDC dc, const RECT &r)
{
    SetROP2(dc, R2_NOT);
    int corner = r.bottom / 4;
    RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
}

void NormalizeRect(RECT *r)
{
    if (r->right < r->left) {
        LONG t = r->left;
        r->left = r->right;
        r->right = t;
    }
    if (r->bottom < r->top) {
        LONG t = r->top;
        r->top = r->bottom;
        r->bottom = t;
    }
}

LRESULT CALLBACK SelectionOverlayProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        screenDC = GetDC(NULL);
        tracking = polygonStarted = firstMoveSeen = altDown = false;
        SelectionCompleted = FALSE;
        previousCapture = SetCapture(window);
        SelectionPointCount = 0;
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_KEYUP:
        if (wParam == VK_MENU)
            altDown = msg == WM_SYSKEYDOWN;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_MENU)
            altDown = true;
        if (wParam == VK_ESCAPE) {
            tracking = false;
            DeleteTracePen();
            SetCapture(previousCapture);
            EndOverlay(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (CaptureMode == ModePolygon)
            OnPolygonClick(window, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
        else
            OnButtonDown();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}
