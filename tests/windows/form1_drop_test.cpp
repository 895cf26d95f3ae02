// Form1 in this process: a drop whose handler fails through to the window,
// which reports it, and then one that the window must still take.
#include <gtest/gtest.h>

#include "bench/file_drop.h"
#include "core/failure.h"
#include "ui/form1.h"

namespace {

TEST(Form1, TakesTheNextDropAfterAHandlerFailed)
{
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    Form1 form(GetModuleHandleW(nullptr));
    int calls = 0;
    form.AcceptFilesOnPicture1([&](DropData&) {
        if (++calls == 1)
            throw Failure(FailureCause::PlatformCall);
    });
    form.Show();
    RECT picture1{};
    GetWindowRect(GetDlgItem(form.Handle(), 200), &picture1);
    SetCursorPos((picture1.left + picture1.right) / 2, (picture1.top + picture1.bottom) / 2);
    unsigned long effects[2] = {};
    for (unsigned long& effect : effects) {
        DropFiles({L"C:\\a.jpg"}, &effect);
        // The batch runs from the window's queue; after a failure the window
        // ends the program, and the test goes on instead.
        for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            if (message.message != WM_QUIT)
                DispatchMessageW(&message);
        }
    }
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(effects[1], static_cast<unsigned long>(DROPEFFECT_COPY));
    // A paint that fails (here on a device context that is none) is tried again later, and never ends the program.
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON, item.CtlID = 200, item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = GetDlgItem(form.Handle(), 200), item.hDC = HDC(0x1234), item.rcItem = {0, 0, 32, 32};
    SendMessageW(form.Handle(), WM_DRAWITEM, 200, reinterpret_cast<LPARAM>(&item));
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
