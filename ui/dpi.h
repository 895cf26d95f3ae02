#pragma once

#include <windows.h>

// The form is laid out in pixels at 96 DPI; on other displays every
// rectangle, font and outline scales in proportion.
constexpr UINT kBaseDpi = 96;

// The DPI of the monitor the window is on (the system DPI before Windows 10).
UINT WindowDpi(HWND window);

inline int ScaleToDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

inline RECT ScaleToDpi(const RECT& rect, UINT dpi)
{
    return RECT{ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
                ScaleToDpi(rect.bottom, dpi)};
}

// The outer rectangle of a window with this client size, style and DPI.
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
