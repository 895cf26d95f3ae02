#include "ui/picture1.h"

#include <commctrl.h>

#include <utility>

#include "ui/file_open_dialog.h"
#include "ui/picture1_accessible.h"
#include "ui/posted_message_filter.h"
#include "ui/scoped_win.h"
#include "ui/win32_error.h"

namespace {

// Screen readers ask Picture1 itself for its object; everything else goes on as before.
LRESULT CALLBACK Picture1Procedure(HWND picture1, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        try {
            return AnswerPicture1Object(picture1, wParam);
        } catch (...) {
            // The system's own object answers instead.
        }
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(picture1, Picture1Procedure, id);
    return DefSubclassProc(picture1, message, wParam, lParam);
}

// Hovering Picture1 shows its name, as icon-only buttons do; without the
// tooltip the name is still there for screen readers. The tooltip is owned by
// the window, which destroys it with itself.
void AddTooltip(HWND window, HWND control, HINSTANCE instance)
{
    const HWND tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    if (!Decorated(tooltip != nullptr, "CreateWindowExW (tooltip)"))
        return;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    Decorated(SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0, "TTM_ADDTOOLW");
}

// COM's hidden window of this thread, to which COM posts the calls other
// programs make into it; none before OLE has made it.
HWND ComCallsWindow()
{
    const DWORD thread = GetCurrentThreadId();
    for (HWND found = FindWindowExW(HWND_MESSAGE, nullptr, L"OleMainThreadWndClass", nullptr); found != nullptr;
         found = FindWindowExW(HWND_MESSAGE, found, L"OleMainThreadWndClass", nullptr)) {
        if (GetWindowThreadProcessId(found, nullptr) == thread)
            return found;
    }
    return nullptr;
}

// Lets the window answer between two files of a batch. PeekMessage delivers
// what other threads and programs send (the system's check that the window
// is alive, a close, a screen reader's question); COM's calls from other
// programs are answered (the drag source's last calls after its drop, which
// hold it until answered, and another drag, which finds the window busy);
// and the window and its controls repaint. Input and the messages posted to
// the window stay queued: no click, key or second handler can reach it under
// the batch. Bounded, should a paint never validate.
void AnswerBetweenFiles(HWND comCalls)
{
    MSG message{};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    for (int calls = 0; comCalls != nullptr && calls < 64 && PeekMessageW(&message, comCalls, 0, 0, PM_REMOVE);
         ++calls) {
        if (!NamesTimerProcedure(message))
            DispatchMessageW(&message);
    }
    for (int paints = 0; paints < 64 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT);
         ++paints)
        DispatchMessageW(&message);
}

// The taskbar button's progress is redrawn only when it moves by a step:
// Explorer need not hear of each of 10,000 files.
constexpr long long kProgressSteps = 200;

} // namespace

Picture1::Picture1(HWND form, HWND control, HINSTANCE instance) : form(form), control(control)
{
    // Without its subclass Picture1 answers screen readers with the system's
    // own object for a button, which still names it.
    Decorated(SetWindowSubclass(control, Picture1Procedure, 0, 0), "SetWindowSubclass");
    AddTooltip(form, control, instance);
}

Picture1::~Picture1()
{
    drops.reset();
}

void Picture1::AcceptFiles(Handler newHandler, std::function<NamingScheme()> newSelectedOption)
{
    handler = std::move(newHandler);
    selectedOption = std::move(newSelectedOption);
    const ComPtr<DropTarget> target = DropTarget::Create(
        [this](std::vector<std::u16string>& paths) { return TakeDrop(std::move(paths)); }, [this] { return Free(); });
    drops = std::make_unique<DropRegistration>(control, target.get());
}

// Inside the source's DoDragDrop: the list is kept and the batch posted, so
// that the source is let go as soon as the drop returns. From here on the
// window is busy, and the scheme is the one selected now: posted messages
// come before input, so nothing the user does can come between.
bool Picture1::TakeDrop(std::vector<std::u16string> paths)
{
    if (!Free() || !Decorated(PostMessageW(form, kRenameDropped, 0, 0), "PostMessageW"))
        return false;
    handlerRunning = true;
    batchScheme = selectedOption();
    dropped = std::move(paths);
    return true;
}

void Picture1::RenameDropped()
{
    // Another program may post the message too: a batch runs only for a drop taken.
    if (!dropped)
        return;
    ChosenFiles files(std::move(*dropped));
    dropped.reset();
    handlerRunning = false; // taken over by the batch's own guard
    RunAlone([&] { RunBatch(files); });
}

// The files chosen go to the drop handler as a dropped list would.
void Picture1::Press()
{
    RunAlone([this] {
        ChosenFiles chosen(ChooseFilesToRename(form));
        // The dialog's loop may have heard the window close or the session end.
        if (chosen.FileCount() == 0 || closing || sessionEnding)
            return;
        batchScheme = selectedOption();
        RunBatch(chosen);
    });
}

void Picture1::RunBatch(DropData& files)
{
    const WaitCursor wait;
    sessionHold.emplace(form);
    handler(files);
}

// Busy from its start to its end, however the handler ends, a failure thrown
// through it too: a window left busy would take no drop, no press and no
// close. The batch's scheme and its progress on the taskbar go with it.
class Picture1::Busy {
public:
    explicit Busy(Picture1& picture1) : picture1(picture1) { picture1.handlerRunning = true; }
    ~Busy()
    {
        picture1.handlerRunning = false;
        picture1.sessionHold.reset();
        picture1.batchScheme.reset();
        picture1.ClearTaskbar();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    Picture1& picture1;
};

// A handler's message box and the Open dialog run message loops of their
// own, and a batch lets the window answer between files: another program's
// drop, a posted click or a screen reader's press still arrive, and none may
// start a second handler under the first, change its scheme, or close the
// window under it. A batch that renamed every file closes the window, and
// the program ends with it: nothing that waited behind it (a press posted
// meanwhile) starts another.
void Picture1::RunAlone(const std::function<void()>& batch)
{
    if (!Free() || !handler)
        return;
    {
        const Busy busy(*this);
        batch();
    }
    if (std::exchange(closeAsked, false)) {
        closing = true;
        Decorated(PostMessageW(form, WM_CLOSE, 0, 0), "PostMessageW");
    }
}

void Picture1::Closing()
{
    closing = true;
    drops.reset();
}

bool Picture1::HoldClose()
{
    closeAsked = closeAsked || handlerRunning;
    return handlerRunning;
}

bool Picture1::FileDone(long long done, long long total)
{
    // First the answers: the drag source waits for them, and making the
    // taskbar's object at the first file takes a while.
    if (comCalls == nullptr)
        comCalls = ComCallsWindow();
    AnswerBetweenFiles(comCalls);
    if (sessionEnding)
        return false;
    const int step = total > 0 ? static_cast<int>(done * kProgressSteps / total) : 0;
    if (step != shownStep && Taskbar() != nullptr) {
        shownStep = step;
        DecoratedResult(taskbar->SetProgressValue(form, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total)),
                        "ITaskbarList3::SetProgressValue");
    }
    return true;
}

void Picture1::ShowFailed()
{
    if (Taskbar() != nullptr &&
        DecoratedResult(taskbar->SetProgressState(form, TBPF_ERROR), "ITaskbarList3::SetProgressState"))
        shownStep = kProgressSteps + 1; // the error state, until cleared
}

// The taskbar's object, made at the first batch's first file: Explorer mode,
// with no window, never loads it. Without it, batches show nothing there.
ITaskbarList3* Picture1::Taskbar()
{
    if (!std::exchange(taskbarAsked, true)) {
        ComPtr<ITaskbarList3> made;
        if (DecoratedResult(
                CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(made.Put())),
                "CoCreateInstance (taskbar)") &&
            DecoratedResult(made->HrInit(), "ITaskbarList::HrInit"))
            taskbar = std::move(made);
    }
    return taskbar.get();
}

void Picture1::ClearTaskbar()
{
    if (shownStep >= 0 && taskbar)
        DecoratedResult(taskbar->SetProgressState(form, TBPF_NOPROGRESS), "ITaskbarList3::SetProgressState");
    shownStep = -1;
}

// In the program's own words, as Windows shows it beside the window's name
// when the user signs out or shuts down meanwhile.
Picture1::SessionHold::SessionHold(HWND form)
    : form(form),
      reasonGiven(
          Decorated(ShutdownBlockReasonCreate(form, L"ファイル名を変更しています。"), "ShutdownBlockReasonCreate"))
{}

Picture1::SessionHold::~SessionHold()
{
    if (reasonGiven)
        ShutdownBlockReasonDestroy(form); // fails only for a window gone, whose reason went with it
}

namespace {

// Dotted as DrawFocusRect draws, but in a colour of the scheme's: an inverted
// background vanishes on a mid-grey one.
bool DrawFocus(HDC dc, const RECT& r, COLORREF colour)
{
    const LOGBRUSH solid{BS_SOLID, colour, 0};
    const ScopedPen pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr));
    if (!Decorated(pen != nullptr, "ExtCreatePen"))
        return false;
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const bool drawn = Decorated(Rectangle(dc, r.left, r.top, r.right, r.bottom), "Rectangle");
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    return drawn;
}

} // namespace

bool DrawPicture1(const DRAWITEMSTRUCT& item, HBRUSH background, COLORREF focus)
{
    if (!Decorated(FillRect(item.hDC, &item.rcItem, background), "FillRect"))
        return false;
    const auto picture = reinterpret_cast<HICON>(SendMessageW(item.hwndItem, BM_GETIMAGE, IMAGE_ICON, 0));
    if (picture != nullptr &&
        !Decorated(
            DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, picture, item.rcItem.right - item.rcItem.left,
                       item.rcItem.bottom - item.rcItem.top, 0, nullptr, DI_NORMAL),
            "DrawIconEx"))
        return false;
    const bool cuesHidden = (SendMessageW(item.hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    return !(item.itemState & ODS_FOCUS) || cuesHidden || DrawFocus(item.hDC, item.rcItem, focus);
}
