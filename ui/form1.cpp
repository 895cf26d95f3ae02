#include "ui/form1.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/failure.h"
#include "ui/dpi.h"
#include "ui/layout.h"
#include "ui/text_win.h"
#include "ui/unhandled_failure.h"
#include "ui/win32_error.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kIconSize = 32; // the program icon's size at 96 DPI; the small one is half

// Text1 to Text10 show these fields, in this order.
constexpr std::u16string RenameFields::*kBoxFields[kTextBoxCount] = {
    &RenameFields::sourcePath, &RenameFields::year,   &RenameFields::month,  &RenameFields::day,
    &RenameFields::hour,       &RenameFields::minute, &RenameFields::second, &RenameFields::stem,
    &RenameFields::newName,    &RenameFields::folder,
};

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
        ThrowLastError("RegisterClassExW");
}

void CheckedSetWindowPos(HWND window, const RECT& rect)
{
    if (!SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      SWP_NOZORDER | SWP_NOACTIVATE))
        ThrowLastError("SetWindowPos");
}

// The window's outer rectangle for its DPI, centred on the primary monitor's work area.
RECT CentredWindowRect(UINT dpi)
{
    const RECT frame =
        WindowRectForClient(ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi), kStyle, kExStyle, dpi);
    RECT workArea{};
    // Wine's display settings can be unreadable for a moment while another
    // process rewrites them: the window then centres on the whole screen
    // rather than not open at all.
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        workArea = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const LONG top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

// Every control but the options and the text boxes starts a group of its own,
// so the arrow keys move only among the four options.
ControlClass ClassOf(const ControlRow& row)
{
    switch (row.kind) {
    case ControlKind::OptionButton:
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (row.id == kOption1Id ? WS_GROUP : 0)), 0};
    case ControlKind::Picture: // a button the form draws: the icon on black, and the focus
        return {L"BUTTON", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, 0};
    case ControlKind::TextBox:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Image:
        return {L"STATIC", SS_ICON | SS_CENTERIMAGE | WS_GROUP, 0};
    case ControlKind::Label:
    case ControlKind::Shape:
        break;
    }
    return {L"STATIC", SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
}

// Child windows are created in the keyboard order, since Windows tabs in
// creation order. Labels never take the focus: they follow every control
// that does, so that nothing stands between the options of the group.
std::vector<const ControlRow*> CreationOrder()
{
    std::vector<const ControlRow*> rows;
    for (const ControlRow& row : Form1Layout()) {
        if (row.kind != ControlKind::Shape)
            rows.push_back(&row);
    }
    auto rank = [](const ControlRow* row) {
        const bool takesFocus = row->tabIndex != kNoTab && row->kind != ControlKind::Label;
        return std::pair(takesFocus ? 0 : row->tabIndex == kNoTab ? 2 : 1, row->tabIndex);
    };
    std::ranges::sort(rows, {}, rank);
    return rows;
}

ScopedIcon LoadProgramIcon(HINSTANCE instance, int size)
{
    ScopedIcon icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon)
        ThrowLastError("LoadImageW");
    return icon;
}

// The system's colours, and the contrast theme's if one is on; a failed
// question about the theme counts as none.
FormColours CurrentColours()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    const bool highContrast =
        Decorated(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0),
                  "SystemParametersInfoW") &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return ChooseFormColours(highContrast, {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)});
}

void SetWindowStyleBit(HWND window, LONG_PTR bit, bool on)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetLastError(0);
    if (SetWindowLongPtrW(window, GWL_STYLE, on ? style | bit : style & ~bit) == 0 && GetLastError() != 0)
        ThrowLastError("SetWindowLongPtrW");
}

} // namespace

Form1::Form1(HINSTANCE instance) : instance(instance), colours(CurrentColours())
{
    RegisterForm1Class(instance, Procedure);
    // Made at the primary monitor's origin, hidden, so that it has that monitor's DPI.
    window.reset(
        CreateWindowExW(kExStyle, kClassName, L"Nomichron", kStyle, 0, 0, 0, 0, nullptr, nullptr, instance, this));
    if (!window)
        ThrowLastError("CreateWindowExW (Form1)");
    try {
        postedFilter.emplace(window.get());
        dpi = WindowDpi(window.get());
        CreateControls();
        ApplyDpi(dpi);
        CheckedSetWindowPos(window.get(), CentredWindowRect(dpi));
    } catch (...) {
        destroying = true; // the half-built window goes with the members
        throw;
    }
}

Form1::~Form1()
{
    destroying = true;
}

void Form1::CreateControls()
{
    for (const ControlRow* row : CreationOrder()) {
        const ControlClass controlClass = ClassOf(*row);
        const RECT r = ScaleToDpi(row->bounds, dpi);
        const HWND control = CreateWindowExW(
            controlClass.exStyle, controlClass.name, row->text, WS_CHILD | WS_VISIBLE | controlClass.style, r.left,
            r.top, r.right - r.left, r.bottom - r.top, window.get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row->id)), instance, nullptr);
        if (!control)
            ThrowLastError("CreateWindowExW (control)");
        // Themed option buttons draw their captions in the theme's colour and
        // ignore the parent's, which are the form's own. A blank theme name
        // matches no theme (an empty one is refused by Wine).
        if (row->kind == ControlKind::OptionButton)
            DecoratedResult(SetWindowTheme(control, L" ", L" "), "SetWindowTheme");
        if (row->kind == ControlKind::Picture)
            picture1 = std::make_unique<Picture1>(window.get(), control, instance);
        // Last, so that it sees every message first, Picture1's subclass's too.
        Decorated(SetWindowSubclass(control, ControlProcedure, 0, reinterpret_cast<DWORD_PTR>(this)),
                  "SetWindowSubclass");
    }
    // Every start begins with the first scheme.
    if (!CheckRadioButton(window.get(), kOption1Id, kOption1Id + kOptionCount - 1, kOption1Id))
        ThrowLastError("CheckRadioButton");
    KeepTabStopOnSelectedOption();
}

void Form1::ApplyDpi(UINT newDpi)
{
    const bool moves = newDpi != dpi; // controls are made where they belong
    dpi = newDpi;
    auto newFonts = std::make_unique<FormFonts>(dpi);
    // One icon of the DPI's size serves Picture1, Image1 and the window.
    ScopedIcon newIcon = LoadProgramIcon(instance, ScaleToDpi(kIconSize, dpi));
    ScopedIcon newSmallIcon = LoadProgramIcon(instance, ScaleToDpi(kIconSize / 2, dpi));
    for (const ControlRow& row : Form1Layout()) {
        if (row.kind == ControlKind::Shape)
            continue;
        const HWND control = GetDlgItem(window.get(), row.id);
        if (row.kind == ControlKind::Picture)
            SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(newIcon.get()));
        if (row.kind == ControlKind::Image)
            SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(newIcon.get()), 0);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(newFonts->For(row.font)), TRUE);
        if (moves)
            CheckedSetWindowPos(control, ScaleToDpi(row.bounds, dpi));
    }
    SendMessageW(window.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newIcon.get()));
    SendMessageW(window.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmallIcon.get()));
    // The controls hold the new fonts and icons before the old ones go.
    fonts = std::move(newFonts);
    icon = std::move(newIcon);
    smallIcon = std::move(newSmallIcon);
    InvalidateRect(window.get(), nullptr, TRUE);
}

void Form1::AcceptFilesOnPicture1(Picture1::Handler handler)
{
    picture1->AcceptFiles(std::move(handler), [this] { return OptionScheme(); });
}

void Form1::Show()
{
    ShowWindow(window.get(), SW_SHOWNORMAL); // returns the previous visibility, not an error
    SetFocus(GetDlgItem(window.get(), kOption1Id + static_cast<int>(SelectedScheme())));
    UpdateWindow(window.get());
}

void Form1::Close()
{
    // From now on no drop is taken: a drag that waited for the batch that
    // closes the window must not hear "copy" for files nobody renames.
    picture1->Closing();
    // Posted, not immediate: the handler that closes the window returns first.
    if (!PostMessageW(window.get(), WM_CLOSE, 0, 0))
        ThrowLastError("PostMessageW");
}

void Form1::ShowFields(const RenameFields& fields)
{
    unshownFields = nullptr;
    roundStarted = false;
    boxTextsRead = 0;
    for (int box = 0; box < kTextBoxCount; ++box) {
        if (!SetDlgItemTextW(window.get(), kText1Id + 1 + box, ToWide(fields.*kBoxFields[box]).c_str()))
            ThrowLastError("SetDlgItemTextW");
    }
}

NamingScheme Form1::SelectedScheme()
{
    return picture1->BatchScheme().value_or(OptionScheme());
}

NamingScheme Form1::OptionScheme()
{
    for (int index = 0; index < kOptionCount; ++index) {
        if (IsDlgButtonChecked(window.get(), kOption1Id + index) == BST_CHECKED)
            return static_cast<NamingScheme>(index);
    }
    return NamingScheme::Compact;
}

// Tab enters the option group at the selected option, as in a dialog box.
void Form1::KeepTabStopOnSelectedOption()
{
    const int selected = kOption1Id + static_cast<int>(OptionScheme());
    for (int id = kOption1Id; id < kOption1Id + kOptionCount; ++id)
        SetWindowStyleBit(GetDlgItem(window.get(), id), WS_TABSTOP, id == selected);
}

bool Form1::PaintFrames(HDC dc)
{
    const int outline = ScaleToDpi(kFrameOutline, dpi);
    const HBRUSH outlineBrush = BrushOf(dc, colours.frame);
    for (const ControlRow& row : Form1Layout()) {
        if (row.kind != ControlKind::Shape)
            continue;
        const RECT r = ScaleToDpi(row.bounds, dpi);
        const RECT sides[] = {
            {r.left, r.top, r.right, r.top + outline},
            {r.left, r.bottom - outline, r.right, r.bottom},
            {r.left, r.top, r.left + outline, r.bottom},
            {r.right - outline, r.top, r.right, r.bottom},
        };
        for (const RECT& side : sides) {
            if (!Decorated(FillRect(dc, &side, outlineBrush), "FillRect"))
                return false;
        }
    }
    return true;
}

// A paint that failed is tried again a moment later, once: a display that
// could not be drawn on for a moment leaves no black hole behind.
void Form1::RepaintLater()
{
    Decorated(SetTimer(window.get(), kRepaintTimer, kRepaintDelay, nullptr) != 0, "SetTimer");
}

LRESULT Form1::ColourStatic(HDC dc, HWND control)
{
    const ControlRow* row = FindRow(GetDlgCtrlID(control));
    const ColourRole role = row != nullptr ? row->colour : ColourRole::System;
    // Options and labels opaque in their own colours; of Image1 only the background shows.
    const TextColours shown =
        role == ColourRole::Option   ? colours.option
        : role == ColourRole::Accent ? colours.accent
        : role == ColourRole::Body   ? colours.body
                                     : TextColours{GetTextColor(dc), colours.window};
    SetTextColor(dc, shown.text);
    SetBkColor(dc, shown.background);
    return reinterpret_cast<LRESULT>(BrushOf(dc, shown.background));
}

// One brush per colour, kept until the colours change; should none be made,
// the DC's own brush paints in that colour this once.
HBRUSH Form1::BrushOf(HDC dc, Colour colour)
{
    for (const auto& [made, brush] : brushes) {
        if (made == colour)
            return brush.get();
    }
    ScopedBrush brush(CreateSolidBrush(colour));
    if (!Decorated(brush != nullptr, "CreateSolidBrush")) {
        Decorated(SetDCBrushColor(dc, colour) != CLR_INVALID, "SetDCBrushColor");
        return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    }
    return brushes.emplace_back(colour, std::move(brush)).second.get();
}

void Form1::FollowColours(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    colours = CurrentColours();
    brushes.clear();
    // Windows tells top-level windows alone of new system colours and
    // settings; the controls hear it from their parent. A new visual theme
    // reaches every window by itself.
    if (message != WM_THEMECHANGED) {
        for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, message, wParam, lParam);
    }
    Decorated(RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN), "RedrawWindow");
}

// A control, like the window, is destroyed only with the window: another
// program's WM_DESTROY or WM_NCDESTROY would strip its subclasses and free
// its state. Whoever reads a box (a screen reader, another program, between
// two files of a batch) reads the file just renamed.
LRESULT CALLBACK Form1::ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR form)
{
    auto* self = reinterpret_cast<Form1*>(form);
    if ((message == WM_DESTROY || message == WM_NCDESTROY) && !self->destroying)
        return 0;
    const int controlId = GetDlgCtrlID(control);
    if ((message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == EM_GETLINE) && controlId > kText1Id &&
        controlId <= kText1Id + kTextBoxCount)
        self->BoxRead(control, message != WM_GETTEXTLENGTH);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, ControlProcedure, id);
    return DefSubclassProc(control, message, wParam, lParam);
}

void Form1::BoxRead(HWND box, bool text)
{
    const unsigned bit = 1u << (GetDlgCtrlID(box) - kText1Id - 1);
    if (unshownFields != nullptr && (!roundStarted || (boxTextsRead & bit) != 0)) {
        try {
            ShowFields(*unshownFields);
            roundStarted = true;
        } catch (...) {
            // The box answers with what it holds.
        }
    }
    if (text)
        boxTextsRead |= bit;
}

// Any program can send the window the messages of its destruction, or post
// them: only its own DestroyWindow ends it, so that closing it always ends
// the program.
LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if ((message == WM_DESTROY || message == WM_NCDESTROY) && form != nullptr && !form->destroying)
        return 0;
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may cross back into the system's code: a failure here ends the
    // program cleanly, as a failure before any handler is armed does.
    try {
        return form->Handle(window, message, wParam, lParam);
    } catch (...) {
        ReportUnhandledFailure("window message " + std::to_string(message));
        PostQuitMessage(1);
        return 0;
    }
}

LRESULT Form1::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: // a text box made read-only or disabled keeps the system's colours
        if (const ControlRow* row = FindRow(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            row != nullptr && row->kind == ControlKind::TextBox)
            break;
        return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORBTN: // Picture1's background
        return reinterpret_cast<LRESULT>(BrushOf(reinterpret_cast<HDC>(wParam), colours.picture1));
    case WM_DRAWITEM: {
        if (wParam != kPicture1Id)
            break;
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!DrawPicture1(item, BrushOf(item.hDC, colours.picture1), colours.focus))
            RepaintLater();
        return TRUE;
    }
    case WM_ERASEBKGND: { // in the window's colour, a contrast theme's too; the class's black should that fail
        const auto dc = reinterpret_cast<HDC>(wParam);
        RECT client{};
        if (Decorated(GetClientRect(hwnd, &client), "GetClientRect") &&
            Decorated(FillRect(dc, &client, BrushOf(dc, colours.window)), "FillRect"))
            return 1;
        break;
    }
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETHIGHCONTRAST)
            break;
        [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        FollowColours(hwnd, message, wParam, lParam);
        break;
    case WM_PAINT: {
        const PaintScope paint(hwnd);
        if (!Decorated(paint.Dc() != nullptr, "BeginPaint") || !PaintFrames(paint.Dc()))
            RepaintLater();
        return 0;
    }
    case WM_TIMER:
        if (wParam != kRepaintTimer)
            break;
        KillTimer(hwnd, kRepaintTimer);
        Decorated(RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN), "RedrawWindow");
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= kOption1Id && LOWORD(wParam) < kOption1Id + kOptionCount)
            KeepTabStopOnSelectedOption();
        // A click, Space, or Enter (which the dialog keys turn into IDOK) on Picture1.
        if ((HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kPicture1Id) ||
            (LOWORD(wParam) == IDOK && GetFocus() == GetDlgItem(hwnd, kPicture1Id))) {
            if (picture1)
                picture1->Press();
        }
        return 0;
    case WM_ACTIVATE:
        // The focus comes back to where it was, after a message box too.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusBeforeDeactivation = GetFocus();
        } else if (focusBeforeDeactivation != nullptr && IsChild(hwnd, focusBeforeDeactivation)) {
            SetFocus(focusBeforeDeactivation);
            return 0;
        }
        break;
    case WM_DPICHANGED:
        FollowDpi(hwnd, lParam);
        return 0;
    case Picture1::kRenameDropped:
        if (picture1)
            picture1->RenameDropped();
        return 0;
    case WM_CLOSE:
        CloseWhenFree(hwnd);
        return 0;
    case WM_QUERYENDSESSION: // a batch is seen through first; the reason says why
        return picture1 && picture1->BatchUnderWay() ? FALSE : TRUE;
    case WM_ENDSESSION: // the program is expected to end: at once, or after the file being renamed
        if (wParam && picture1) {
            picture1->SessionEnding();
            // Hidden, the window only owns Explorer mode's message, which the program's end closes.
            if (IsWindowVisible(hwnd))
                CloseWhenFree(hwnd);
        }
        return 0;
    case WM_DESTROY:
        if (picture1) // none when the window is destroyed half-built
            picture1->Closing();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Form1::CloseWhenFree(HWND hwnd)
{
    if (picture1 && picture1->HoldClose())
        return;
    destroying = true;
    if (!DestroyWindow(hwnd))
        ThrowLastError("DestroyWindow");
}

// Only the system's own message, sent on this thread as the window moves,
// carries a rectangle to read; the DPI is the window's, whoever says what.
void Form1::FollowDpi(HWND hwnd, LPARAM suggested)
{
    const UINT newDpi = WindowDpi(hwnd);
    if (newDpi == dpi)
        return;
    ApplyDpi(newDpi);
    RECT place{};
    if (InSendMessageEx(nullptr) == ISMEX_NOSEND && suggested != 0) {
        place = *reinterpret_cast<const RECT*>(suggested);
    } else {
        if (!GetWindowRect(hwnd, &place))
            ThrowLastError("GetWindowRect");
        const RECT frame =
            WindowRectForClient(ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi), kStyle, kExStyle, dpi);
        place.right = place.left + frame.right - frame.left;
        place.bottom = place.top + frame.bottom - frame.top;
    }
    CheckedSetWindowPos(hwnd, place);
}

int RunMessageLoop(HWND dialogKeysWindow)
{
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1)
            ThrowLastError("GetMessageW");
        if (NamesTimerProcedure(message))
            continue;
        // Tab and the arrow keys move between the controls as in a dialog.
        if (IsWindow(dialogKeysWindow) && IsDialogMessageW(dialogKeysWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
