#include "ui/form1_on_demand.h"

#include <commctrl.h>
#include <ole2.h>

#include "core/failure.h"
#include "ui/com_ptr.h"
#include "ui/text_win.h"
#include "ui/win32_error.h"

namespace {

const wchar_t kApplicationTitle[] = L"Nomichron";

} // namespace

OleSession::OleSession()
{
    ThrowIfFailed(OleInitialize(nullptr), "OleInitialize");
    // COM would catch a fault inside the drop target's calls and carry on
    // with a handler cut short; a fault must end the program where it is seen.
    ComPtr<IGlobalOptions> options;
    ThrowIfFailed(CoCreateInstance(CLSID_GlobalOptions, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(options.Put())),
                  "CoCreateInstance");
    ThrowIfFailed(options->Set(COMGLB_EXCEPTION_HANDLING, COMGLB_EXCEPTION_DONOT_HANDLE_ANY), "IGlobalOptions::Set");
}

Form1& Form1OnDemand::Built()
{
    if (!form) {
        // The manifest asks for version 6 of the common controls: load them
        // so that the window's buttons, labels, boxes and tooltip are theirs.
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        if (!InitCommonControlsEx(&controls))
            ThrowCallFailure("InitCommonControlsEx");
        form = std::make_unique<Form1>(instance);
        if (fieldsWritten)
            form->ShowFields(fields);
    }
    return *form;
}

void Form1OnDemand::Show()
{
    Form1& window = Built();
    window.Show();
    shown = true;
    // Drops are taken from the first message the loop reads: the window can
    // show before OLE is ready.
    if (!ole) {
        ole.emplace();
        window.AcceptFilesOnPicture1(onDrop);
    }
}

void Form1OnDemand::Close()
{
    // A window never shown has no message loop to end: the program just ends.
    if (shown)
        form->Close();
}

void Form1OnDemand::ShowFields()
{
    fieldsWritten = true;
    if (form)
        form->ShowFields(fields);
}

NamingScheme Form1OnDemand::SelectedScheme()
{
    return Built().SelectedScheme();
}

void Form1OnDemand::ShowMessage(const std::u16string& text, MessageIcon icon)
{
    const UINT style = MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0);
    Form1& window = Built();
    window.Picture().BatchEnded(); // a message never holds off the session's end
    if (MessageBoxW(window.Handle(), ToWide(text).c_str(), kApplicationTitle, style) == 0)
        ThrowLastError("MessageBoxW");
}

bool Form1OnDemand::FileDone(long long done, long long total)
{
    if (!form)
        return true;
    form->FieldsChanged(fields);
    return form->Picture().FileDone(done, total);
}

void Form1OnDemand::ShowFailed()
{
    if (form)
        form->Picture().ShowFailed();
}

int Form1OnDemand::Run()
{
    return shown ? RunMessageLoop(form->Handle()) : 0;
}
