// Form1 in this process, told by WM_DPICHANGED that it now stands on a monitor
// of 144 DPI (Wine never sends it): controls, fonts and icons follow.
#include <gtest/gtest.h>

#include "ui/form1.h"

namespace {

TEST(Form1, ScalesToAMonitorOf144Dpi)
{
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    Form1 form(GetModuleHandleW(nullptr));
    RECT suggested{40, 30, 40 + 520, 30 + 640};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    // A control of each font: its place at 96 DPI, its character height at 144.
    for (const auto& [id, left, top, width, height, fontHeight] :
         {std::array{100, 35, 287, 148, 22, 18}, {405, 57, 9, 211, 29, 41}, {410, 190, 41, 125, 15, 17}}) {
        SCOPED_TRACE(id);
        const HWND control = GetDlgItem(form.Handle(), id);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        for (const auto& [at, expected] :
             {std::pair(r.left, left), {r.top, top}, {r.right - r.left, width}, {r.bottom - r.top, height}})
            EXPECT_NEAR(at, expected * 1.5, 1);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_EQ(-font.lfHeight, fontHeight);
    }
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(
        reinterpret_cast<HICON>(SendMessageW(GetDlgItem(form.Handle(), 200), BM_GETIMAGE, IMAGE_ICON, 0)), &icon));
    BITMAP colour{};
    GetObjectW(icon.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 48) << "Picture1's icon";
    DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
}

} // namespace
