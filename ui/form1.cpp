#include "ui/form1.h"

#include "core/failure.h"

namespace {

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 391;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

[[noreturn]] void ThrowLastError()
{
    throw Failure(FailureCause::PlatformCall, GetLastError());
}

LRESULT CALLBACK Form1Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterForm1Class(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Form1Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = Form1::kClassName;
    if (!RegisterClassExW(&windowClass))
        ThrowLastError();
}

// The outer rectangle of a window whose client area has the form's size,
// centred on the work area of the primary monitor.
RECT CentredWindowRect()
{
    RECT frame{0, 0, kClientWidth, kClientHeight};
    if (!AdjustWindowRectEx(&frame, kStyle, FALSE, 0))
        ThrowLastError();
    RECT workArea{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        ThrowLastError();
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const LONG top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

} // namespace

Form1::Form1(HINSTANCE instance)
{
    RegisterForm1Class(instance);
    const RECT placement = CentredWindowRect();
    window.reset(CreateWindowExW(0, kClassName, L"Nomichron", kStyle, placement.left, placement.top,
                                 placement.right - placement.left, placement.bottom - placement.top, nullptr,
                                 nullptr, instance, nullptr));
    if (!window)
        ThrowLastError();
}

void Form1::Show()
{
    ShowWindow(window.get(), SW_SHOWNORMAL); // returns the previous visibility, not an error
    UpdateWindow(window.get());
}

void Form1::Close()
{
    // DestroyWindow posts the quit message through WM_DESTROY.
    if (!DestroyWindow(window.release()))
        ThrowLastError();
}

int RunMessageLoop()
{
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1)
            ThrowLastError();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
