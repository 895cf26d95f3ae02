#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "ui/scoped_win.h"

// Starting the real Nomichron.exe with an exact command line and watching
// what it shows, from another process.

// Ended by force if a failed test leaves it running.
struct ChildProcess {
    ChildProcess(ScopedHandle process, DWORD id) : process(std::move(process)), id(id) {}
    ChildProcess(ChildProcess&&) = default;
    ~ChildProcess();

    ScopedHandle process;
    DWORD id = 0;
};

// Nomichron.exe, beside this test program.
std::wstring NomichronPath();

// Starts Nomichron.exe (beside this test program) with the exact command
// line "<exe path>" followed by one space and `arguments` (nothing when empty).
ChildProcess StartNomichron(const std::wstring& arguments);

// The exit code, or STILL_ACTIVE when the process has not ended in time.
DWORD WaitForExit(const ChildProcess& child, DWORD milliseconds);

// The first top-level window of the process with this class (and visible,
// when asked), or nullptr after the time is up.
HWND WaitForWindow(const ChildProcess& child, const wchar_t* className, bool mustBeVisible, DWORD milliseconds);

// A child window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND control);

HWND WaitForMessageBox(const ChildProcess& child, DWORD milliseconds = 10000);
std::wstring MessageText(HWND box);
bool MessageHasIcon(HWND box);
std::wstring WindowTitle(HWND window);
// A control's text through WM_GETTEXT: another process's edit box keeps its
// text where GetWindowTextW can't see it.
std::wstring ControlText(HWND control);
void ClickOk(HWND box);

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path; }
    std::wstring operator/(const std::wstring& name) const { return path + L"\\" + name; }

private:
    std::wstring path;
};

void WriteTextFile(const std::wstring& path, const std::string& content);
std::string ReadTextFile(const std::wstring& path);  // "" when missing
bool PathExists(const std::wstring& path);
std::set<std::wstring> ListFolder(const std::wstring& folder);

// While it lives, the clock of this process and of every Nomichron started
// from it stands at `stamp` ("2005-01-31 01:01:01"): tools/test preloads
// libfaketime, which reads the file FAKETIME_TIMESTAMP_FILE names.
class FrozenClock {
public:
    explicit FrozenClock(const char* stamp);
    ~FrozenClock();
    FrozenClock(const FrozenClock&) = delete;
    FrozenClock& operator=(const FrozenClock&) = delete;

private:
    std::wstring file;
};

// Every entry under the folder by its path below it: files with their
// content, folders as "<folder>". Names Win32 would trim are read whole.
std::map<std::wstring, std::string> Tree(const std::wstring& folder);

SYSTEMTIME LocalNow();
SYSTEMTIME AddSeconds(const SYSTEMTIME& time, int seconds);
// Every compact name yymmddhhmm(ss + offset) for a stamp taken in a second
// from `first` to `last`, with the extension appended (none when empty).
std::set<std::wstring> CompactNames(const SYSTEMTIME& first, const SYSTEMTIME& last, int offset,
                                    const std::wstring& extension);
