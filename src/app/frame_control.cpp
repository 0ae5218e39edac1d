#include "app/frame_control.h"

#include <iterator>

#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

void paintFrame(HWND frame) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(frame, &ps);
    RECT area;
    GetClientRect(frame, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));

    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(frame, GWLP_USERDATA));
    const HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);

    // The etched border runs through the middle of the caption's line.
    RECT border = area;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);

    wchar_t caption[128];
    const int length = GetWindowTextW(frame, caption, static_cast<int>(std::size(caption)));
    if (length > 0) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc, OPAQUE);
        TextOutW(dc, metrics.tmAveCharWidth, 0, caption, length);
    }
    SelectObject(dc, oldFont);
    EndPaint(frame, &ps);
}

LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintFrame(frame);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            SetWindowLongPtrW(frame, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) InvalidateRect(frame, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(frame, GWLP_USERDATA);
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return SendMessageW(GetParent(frame), message, wParam, lParam);
        default:
            return DefWindowProcW(frame, message, wParam, lParam);
    }
}

}  // namespace

void registerFrameClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = frameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc)) win32::reportLastError(L"RegisterClassExW (frame)");
}

}  // namespace kestro
