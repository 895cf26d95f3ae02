// Form1 in this process, started in a dark scheme, then told while it is open
// that the display changed: a monitor of 144 DPI (Wine never sends it), then
// the system's colours back to the standard ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ui/form1.h"

namespace {

constexpr int kSchemeElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};

struct SchemeRestorer { // the system's colours back at the end, failed or not: they outlive the process
    COLORREF saved[2] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    ~SchemeRestorer() { SetSysColors(2, kSchemeElements, saved); }
};

TEST(Form1, FollowsAMonitorOf144DpiAndTheSchemesColours)
{
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const SchemeRestorer restorer;
    const COLORREF dark[] = {RGB(0x20, 0x20, 0x20), RGB(0xFF, 0xFF, 0xFF)}, standard[] = {RGB(0xFF, 0xFF, 0xFF), 0};
    ASSERT_TRUE(SetSysColors(2, kSchemeElements, dark)); // Aquatic's
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
    // Each option's caption in the scheme's window colour on its window-text colour: as started, then at once
    // after the change, without a restart.
    form.Show();
    for (const COLORREF* scheme : {dark, standard}) {
        if (scheme == standard) {
            ASSERT_TRUE(SetSysColors(2, kSchemeElements, standard));
        }
        for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        for (int id = 100; id < 104; ++id) {
            SCOPED_TRACE(testing::Message() << id << (scheme == dark ? " dark" : " standard"));
            const HWND option = GetDlgItem(form.Handle(), id);
            RECT r{};
            GetClientRect(option, &r);
            std::map<COLORREF, int> seen; // right of the round mark
            const HDC dc = GetDC(option);
            for (int y = 0; y < r.bottom; ++y)
                for (int x = r.right / 4; x < r.right; ++x)
                    ++seen[GetPixel(dc, x, y)];
            ReleaseDC(option, dc);
            EXPECT_EQ(std::ranges::max_element(seen, {}, [](const auto& colour) { return colour.second; })->first,
                      scheme[1]);
            EXPECT_TRUE(seen.contains(scheme[0]));
        }
    }
}

} // namespace
