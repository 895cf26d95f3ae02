#pragma once

#include <windows.h>

// Picture1 for screen readers: a push button named with its window text,
// whose default action presses it. Answers WM_GETOBJECT for the client
// object; the system's own object answers everything else.
LRESULT AnswerPicture1Object(HWND picture1, WPARAM flags);
