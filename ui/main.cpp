#include <windows.h>

#include "app/command_line_start.h"
#include "app/drop_handling.h"
#include "ui/form1_on_demand.h"
#include "ui/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // No crash dialog, ever: a failure that no entry handler handles ends the
    // program here, quietly and before any further rename.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        Win32Process process;
        Win32Clock clock;
        Win32FileSystem fileSystem;
        Form1OnDemand window(instance);
        window.AcceptDrops([&](DropData& data) { Picture1_OLEDragDrop({window, window, clock, fileSystem}, data); });
        Form_Load({process, window, window, clock, fileSystem});
        return window.Run();
    } catch (...) {
        return 1;
    }
}
