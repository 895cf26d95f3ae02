#include "ui/posted_message_filter.h"

#include "ui/win32_error.h"

namespace {

constexpr UINT kSystemTimer = 0x0118; // WM_SYSTIMER, which the headers leave out

HWND filteredForm = nullptr; // one window, and one filter, per program

// The message is left in the queue's order but made WM_NULL, which every
// window ignores. Another component's thread timers (no window) may name
// procedures of their own, so only the form's and its controls' are judged.
LRESULT CALLBACK FilterPosted(int code, WPARAM removal, LPARAM lParam)
{
    auto& message = *reinterpret_cast<MSG*>(lParam);
    const bool forged =
        message.message == WM_DPICHANGED || message.message == WM_DESTROY || message.message == WM_NCDESTROY ||
        (NamesTimerProcedure(message) && message.hwnd != nullptr &&
         (message.hwnd == filteredForm || IsChild(filteredForm, message.hwnd)));
    if (code == HC_ACTION && forged)
        message.message = WM_NULL;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

} // namespace

bool NamesTimerProcedure(const MSG& message)
{
    return (message.message == WM_TIMER || message.message == kSystemTimer) && message.lParam != 0;
}

PostedMessageFilter::PostedMessageFilter(HWND form)
    : hook(SetWindowsHookExW(WH_GETMESSAGE, FilterPosted, nullptr, GetCurrentThreadId()))
{
    if (hook == nullptr)
        ThrowLastError("SetWindowsHookExW");
    filteredForm = form;
}

PostedMessageFilter::~PostedMessageFilter()
{
    filteredForm = nullptr;
    UnhookWindowsHookEx(hook);
}
