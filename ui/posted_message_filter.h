#pragma once

#include <windows.h>

#include <memory>

// Any program on the desktop can post any message to the window's thread.
// Some the system only ever sends, and their parameters are trusted by the
// code that handles them; a timer message's parameter is even called, by
// Wine, as a procedure. This filter takes them out of every message loop of
// the thread (the program's, a message box's, the Open dialog's) before they
// are dispatched, for as long as it lives.
class PostedMessageFilter {
public:
    // For the window's thread; form is the window whose own timers never
    // name a procedure.
    explicit PostedMessageFilter(HWND form);
    ~PostedMessageFilter();
    PostedMessageFilter(const PostedMessageFilter&) = delete;
    PostedMessageFilter& operator=(const PostedMessageFilter&) = delete;

private:
    HHOOK hook;
};

// A timer message that names a procedure to call. The program sets none, so
// one that reaches its own message loop comes from another program.
bool NamesTimerProcedure(const MSG& message);
