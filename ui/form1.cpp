#include "ui/form1.h"

#include "core/failure.h"
#include "ui/win32_error.h"
#include "ui/layout.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RegisterForm1Class(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
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
    if (!AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT))
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

HWND CreateControl(HWND parent, HINSTANCE instance, const ControlRow& row, bool firstOfGroup)
{
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (row.kind) {
    case ControlKind::OptionButton:
        windowClass = L"BUTTON";
        style |= BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0);
        break;
    case ControlKind::Picture:
        style |= SS_ICON | SS_NOTIFY | WS_GROUP | WS_TABSTOP;
        break;
    }
    const RECT& r = row.bounds;
    HWND control = CreateWindowExW(0, windowClass, row.text ? row.text : L"", style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    if (!control)
        ThrowLastError();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (row.kind == ControlKind::Picture)
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
    return control;
}

} // namespace

Form1::Form1(HINSTANCE instance)
{
    RegisterForm1Class(instance, Procedure);
    const RECT placement = CentredWindowRect();
    window.reset(CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Nomichron", kStyle, placement.left,
                                 placement.top, placement.right - placement.left, placement.bottom - placement.top,
                                 nullptr, nullptr, instance, this));
    if (!window)
        ThrowLastError();
    CreateControls(instance);
}

Form1::~Form1()
{
    picture1Drops.reset();
}

void Form1::CreateControls(HINSTANCE instance)
{
    bool firstOption = true;
    for (const ControlRow& row : Form1Layout()) {
        CreateControl(window.get(), instance, row, row.kind == ControlKind::OptionButton && firstOption);
        if (row.kind == ControlKind::OptionButton)
            firstOption = false;
    }
    // Every start begins with the first scheme.
    CheckRadioButton(window.get(), kOption1Id, kOption1Id + 3, kOption1Id);
}

void Form1::AcceptDropsOnPicture1(DropTarget::Handler handler)
{
    const ComPtr<DropTarget> target = DropTarget::Create(std::move(handler));
    picture1Drops = std::make_unique<DropRegistration>(GetDlgItem(window.get(), kPicture1Id), target.get());
}

void Form1::Show()
{
    ShowWindow(window.get(), SW_SHOWNORMAL); // returns the previous visibility, not an error
    SetFocus(GetDlgItem(window.get(), kOption1Id + static_cast<int>(SelectedScheme())));
    UpdateWindow(window.get());
}

void Form1::Close()
{
    // Posted, not immediate: a drop handler closes the window from inside
    // the drop, which must return before Picture1 goes away.
    if (!PostMessageW(window.get(), WM_CLOSE, 0, 0))
        ThrowLastError();
}

NamingScheme Form1::SelectedScheme()
{
    for (int index = 0; index < 4; ++index) {
        if (IsDlgButtonChecked(window.get(), kOption1Id + index) == BST_CHECKED)
            return static_cast<NamingScheme>(index);
    }
    return NamingScheme::Compact;
}

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return form->Handle(window, message, wParam, lParam);
}

LRESULT Form1::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Option captions white on the window-text colour; Picture1 on black.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    case WM_DESTROY:
        picture1Drops.reset();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunMessageLoop(HWND dialogKeysWindow)
{
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1)
            ThrowLastError();
        // Tab and the arrow keys move between the controls as in a dialog.
        if (IsWindow(dialogKeysWindow) && IsDialogMessageW(dialogKeysWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
