#include <windows.h>

#include "app/command_line_start.h"
#include "app/drop_handling.h"
#include "ui/form1_on_demand.h"
#include "ui/unhandled_failure.h"
#include "ui/win32_error.h"
#include "ui/win32_platform.h"

namespace {

// Users run the program from Downloads, where anything a browser saved lies
// beside it: every DLL, whoever asks for it (a delay-loaded import, the
// common controls, the shell inside the Open dialog) and the DLLs those
// import, comes from System32 or the side-by-side store, never from the
// program's folder, the current folder or PATH. Set before anything can load
// one; without it the program does not run.
void LoadDllsFromSystem32Only()
{
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        ThrowLastError("SetDefaultDllDirectories");
    // Also for what the loader maps on its own behalf, where Windows allows
    // it: a refusal leaves the search above, which is what matters.
    PROCESS_MITIGATION_IMAGE_LOAD_POLICY policy{};
    policy.PreferSystem32Images = 1;
    SetProcessMitigationPolicy(ProcessImageLoadPolicy, &policy, sizeof(policy));
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    try {
        LoadDllsFromSystem32Only();
        // No crash dialog, ever: a failure that no entry handler handles ends
        // the program here, quietly and before any further rename.
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
        Win32Process process;
        Win32Clock clock;
        Win32FileSystem fileSystem;
        Form1OnDemand window(instance);
        window.AcceptDrops([&](DropData& data) {
            Picture1_OLEDragDrop({window, window, clock, fileSystem, window}, data);
        });
        Form_Load({process, window, window, clock, fileSystem});
        return window.Run();
    } catch (...) {
        ReportUnhandledFailure("start-up or the message loop");
        return 1;
    }
}
