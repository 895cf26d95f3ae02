// Form1 in this process, told by WM_DPICHANGED that it now stands on a
// monitor of another DPI: controls, fonts and icons follow, and the window
// takes the rectangle Windows suggests. (Wine has one DPI for all monitors
// and never sends the message itself.)
#include <gtest/gtest.h>

#include "tests/windows/harness.h"
#include "ui/form1.h"
#include "ui/layout.h"

namespace {

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

int IconSize(HWND control)
{
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)), &info))
        return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

struct FontExpected {
    int id;
    const wchar_t* face;
    BYTE charset;
    int heightAt96, heightAt144; // character heights in pixels
};

const FontExpected kFonts[] = {
    {kLabel1Id + 5, L"Impact", ANSI_CHARSET, 27, 41},
    {kLabel1Id + 9, L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 15, 23},
    {kLabel1Id + 10, L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 11, 17},
    {kLabel1Id + 1, L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 12, 18},
    {kOption1Id, L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 12, 18},
    {kText1Id + 1, L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 12, 18},
};

void ExpectDpi(HWND window, int dpi)
{
    SCOPED_TRACE(dpi);
    const double scale = dpi / 96.0;
    for (const ControlRow& row : Form1Layout()) {
        if (row.kind == ControlKind::Shape)
            continue;
        SCOPED_TRACE(row.name);
        const RECT r = PlaceInParent(GetDlgItem(window, row.id));
        EXPECT_NEAR(r.left, row.bounds.left * scale, 1.0);
        EXPECT_NEAR(r.top, row.bounds.top * scale, 1.0);
        EXPECT_NEAR(r.right, row.bounds.right * scale, 1.0);
        EXPECT_NEAR(r.bottom, row.bounds.bottom * scale, 1.0);
    }
    for (const FontExpected& expected : kFonts) {
        const LOGFONTW font = FontOf(GetDlgItem(window, expected.id));
        EXPECT_STREQ(font.lfFaceName, expected.face);
        EXPECT_EQ(font.lfCharSet, expected.charset);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
        EXPECT_EQ(-font.lfHeight, dpi == 96 ? expected.heightAt96 : expected.heightAt144) << expected.id;
    }
    EXPECT_EQ(IconSize(GetDlgItem(window, kPicture1Id)), 32 * dpi / 96);
    EXPECT_EQ(IconSize(GetDlgItem(window, kImage1Id)), 32 * dpi / 96);
}

TEST(Form1Dpi, MovingToAnotherDpiLaysTheWindowOutAnew)
{
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    Form1 form(GetModuleHandleW(nullptr));
    const HWND window = form.Handle();
    ExpectDpi(window, 96);

    RECT suggested{40, 30, 40 + 520, 30 + 640};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, suggested.left);
    EXPECT_EQ(placed.top, suggested.top);
    EXPECT_EQ(placed.right, suggested.right);
    EXPECT_EQ(placed.bottom, suggested.bottom);
    ExpectDpi(window, 144);

    RECT back{40, 30, 40 + 350, 30 + 430};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    ExpectDpi(window, 96);
}

} // namespace
