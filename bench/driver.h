#pragma once

#include <windows.h>

#include <string>

#include "ui/scoped_win.h"

// Driving Nomichron.exe from another process under Wine, as the benchmark and
// the Windows tests do: starting it with an exact command line, watching its
// windows, and making and removing the files it renames.

struct Program {
    ~Program(); // ended by force if it still runs
    ScopedHandle process;
    DWORD id = 0;
};

// A file beside the running program.
std::wstring Beside(const wchar_t* name);
// Starts a program with exactly this command line.
Program StartCommandLine(std::wstring line);
// Starts the program with the exact command line "<exe>" followed by the
// arguments (after one space, when there are any).
Program StartProgram(const std::wstring& exe, const std::wstring& arguments);
// The exit code, or STILL_ACTIVE when the program has not ended in time.
DWORD WaitForExit(const Program& program, DWORD milliseconds);
// A window's text, also an edit box's in another process (which answers WM_GETTEXT only).
std::wstring WindowText(HWND window);
// The program's top-level window of the class (any, when null; visible, if
// asked), or nullptr when none came in time.
HWND WaitForWindow(const Program& program, const wchar_t* className, bool visible, DWORD milliseconds);

// Writes a file and the folders above it. Paths are taken whole (\\?\), so
// names that Win32 would trim are written as they are.
void WriteFile(const std::wstring& path, const std::string& content);
// Removes the folder and everything in it.
void RemoveTree(const std::wstring& folder);
