#include <windows.h>

#include "app/command_line_start.h"
#include "ui/form1.h"
#include "ui/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // No crash dialog, ever: a failure the start-up logic does not handle
    // ends the program here, quietly and before any further rename.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        Form1 form(instance);
        Win32Process process;
        Win32Clock clock;
        Win32FileSystem fileSystem;
        Win32Messages messages(form.Handle());
        Form_Load({process, form, messages, clock, fileSystem});
        return RunMessageLoop();
    } catch (...) {
        return 1;
    }
}
