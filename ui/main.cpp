#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/command_line_start.h"
#include "app/drop_handling.h"
#include "core/failure.h"
#include "ui/form1.h"
#include "ui/win32_platform.h"

namespace {

// OLE drag and drop on this, the GUI thread, for the life of the program.
class OleSession {
public:
    OleSession()
    {
        const HRESULT result = OleInitialize(nullptr);
        if (FAILED(result))
            throw Failure(FailureCause::PlatformCall, static_cast<std::uint32_t>(result));
    }
    ~OleSession() { OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // No crash dialog, ever: a failure that no entry handler handles ends the
    // program here, quietly and before any further rename.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        // The manifest asks for version 6 of the common controls: load them
        // so that the window's buttons, labels and boxes are theirs.
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        if (!InitCommonControlsEx(&controls))
            return 1;
        const OleSession ole;
        Form1 form(instance);
        Win32Process process;
        Win32Clock clock;
        Win32FileSystem fileSystem;
        Win32Messages messages(form.Handle());
        form.AcceptDropsOnPicture1([&](DropData& data) {
            Picture1_OLEDragDrop({form, messages, clock, fileSystem}, data);
        });
        Form_Load({process, form, messages, clock, fileSystem});
        return RunMessageLoop(form.Handle());
    } catch (...) {
        return 1;
    }
}
