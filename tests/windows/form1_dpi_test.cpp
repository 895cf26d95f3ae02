// Form1 in this process, started in a dark scheme: laid out as the form is
// drawn, at 96 DPI, or at 144 when CTest starts it so; deaf to what another
// program forges; then told while it is open that the system's colours are
// back to the standard ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "ui/form1.h"

namespace {

constexpr int kSchemeElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};

struct SchemeRestorer { // the system's colours back at the end, failed or not: they outlive the process
    COLORREF saved[2] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    ~SchemeRestorer() { SetSysColors(2, kSchemeElements, saved); }
};

// The form's controls in its own order: identifier, left, top, width, height, text (nullptr: any but none).
const struct {
    int id, left, top, width, height;
    const wchar_t* text;
} kForm[] = {
    {102, 35, 329, 148, 22, L"050131-***"},
    {101, 35, 308, 148, 22, L"05-01-31-01-01-01"},
    {100, 35, 287, 148, 22, L"050131010101  (Default)"},
    {200, 224, 315, 32, 32, L"ファイルを選択してリネーム"},
    {310, 14, 651, 575, 22, L"Text10"},
    {309, 14, 623, 323, 22, L"Text9"},
    {308, 14, 595, 324, 19, L"Text8"},
    {307, 14, 574, 54, 17, L"Text7"},
    {306, 14, 553, 54, 18, L"Text6"},
    {305, 14, 532, 54, 20, L"Text5"},
    {304, 14, 511, 54, 18, L"Text4"},
    {303, 14, 490, 54, 18, L"Text3"},
    {302, 14, 469, 54, 18, L"Text2"},
    {301, 14, 441, 584, 20, L"Text1"},
    {103, 35, 350, 148, 22, L"20050131-***"},
    {500, 16, 15, 32, 32, L""},
    {410, 190, 41, 125, 15, nullptr},
    {405, 57, 9, 211, 29, L"Nomichron"},
    {409, 35, 67, 167, 15, L"★エクスプローラモード★"},
    {408, 35, 255, 267, 29,
     L"リネームしたいファイルを右下のアイコンにドラック＆ドロップすると、選択した形式でリネームします。"},
    {407, 35, 231, 148, 15, L"★カスタマイズモード★"},
    {406, 35, 147, 253, 15, L"test.jpg をドラック＆ドロップした時刻が"},
    {404, 35, 189, 190, 15, L"050131010101.jpg\u3000\u3000と変更されます。"},
    {403, 35, 168, 246, 15, L"2005年1月31日1時1分1秒ならばファイル名は"},
    {402, 35, 126, 253, 15, L"ファイル名をドロップされた時刻にリネームします。"},
    {401, 34, 91, 267, 29,
     L"リネームしたいファイルを Nomichron.exe のアイコンに直接ドラック＆ドロップしてお使いください。"},
};

void CALLBACK Called(HWND, UINT, UINT_PTR, DWORD)
{
    ADD_FAILURE() << "a posted timer's procedure was called";
}

TEST(Form1, LaidOutAsDrawnDeafToForgeriesThenFollowsTheScheme)
{
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const SchemeRestorer restorer;
    const COLORREF dark[] = {RGB(0x20, 0x20, 0x20), RGB(0xFF, 0xFF, 0xFF)}, standard[] = {RGB(0xFF, 0xFF, 0xFF), 0};
    ASSERT_TRUE(SetSysColors(2, kSchemeElements, dark)); // Aquatic's
    Form1 form(GetModuleHandleW(nullptr));
    const HWND window = form.Handle();
    form.Show();
    const double scale = GetDpiForWindow(window) / 96.0;
    const auto textOf = [](HWND control) {
        std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
        text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
        return text;
    };
    EXPECT_TRUE(textOf(window) == L"Nomichron" &&
                (GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX)) ==
                    (WS_CAPTION | WS_SYSMENU))
        << "its caption; a size the user can't change";
    RECT client{}, frame{}, work{};
    GetClientRect(window, &client), GetWindowRect(window, &frame), SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((std::array<LONG, 4>{client.right, client.bottom, (frame.left + frame.right - work.left - work.right) / 2,
                                   (frame.top + frame.bottom - work.top - work.bottom) / 2}),
              (std::array<LONG, 4>{std::lround(331 * scale), std::lround(391 * scale), 0, 0}))
        << "its size, centred on the screen";
    const auto expectPlaces = [&](double scale) { // every control at its place times the scale, within a pixel
        for (const auto& c : kForm) {
            RECT r{};
            GetWindowRect(GetDlgItem(window, c.id), &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            for (const auto& [at, expected] :
                 {std::pair(r.left, c.left), {r.top, c.top}, {r.right - r.left, c.width}, {r.bottom - r.top, c.height}})
                EXPECT_NEAR(at, expected * scale, scale == 1 ? 0 : 1) << c.id;
        }
    };
    expectPlaces(scale);
    for (const auto& c : kForm) {
        const HWND control = GetDlgItem(window, c.id);
        EXPECT_TRUE(IsWindowVisible(control) && (c.text ? textOf(control) == c.text : !textOf(control).empty()))
            << c.id;
    }
    // Option1(0) alone checked, and focused; Tab runs from it through Picture1 and Text1 to Text10
    // and back, the arrow keys from option to option.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SendMessageW(GetDlgItem(window, 100 + i), BM_GETCHECK, 0, 0), i == 0 ? BST_CHECKED : BST_UNCHECKED);
    std::vector<int> order{GetDlgCtrlID(GetFocus())};
    for (HWND at = GetFocus(); order.size() < 13;)
        order.push_back(GetDlgCtrlID(at = GetNextDlgTabItem(window, at, FALSE)));
    EXPECT_EQ(order, (std::vector{100, 200, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 100}));
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(window, GetDlgItem(window, 100), FALSE)), 101);
    // Another program's word on the DPI, sent without its rectangle or posted, and its timer procedure, change nothing.
    SendMessageW(window, WM_DPICHANGED, 0, 0);
    PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(2000, 2000), 0);
    PostMessageW(window, WM_TIMER, 1, reinterpret_cast<LPARAM>(Called));
    for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
    expectPlaces(scale);
    // The boxes, read one by one while a batch goes on, hold one file; a box read again shows the newest. A forged
    // destruction of Text1 first changes nothing.
    SendMessageW(GetDlgItem(window, 301), WM_NCDESTROY, 0, 0);
    RenameFields first{}, second{};
    first.sourcePath = u"C:\\a.jpg", first.newName = u"050131010102.jpg";
    second.sourcePath = u"C:\\b.jpg", second.newName = u"050131010103.jpg";
    form.FieldsChanged(first);
    const std::wstring a = textOf(GetDlgItem(window, 301));
    form.FieldsChanged(second);
    EXPECT_EQ((std::array{a, textOf(GetDlgItem(window, 309)), textOf(GetDlgItem(window, 301))}),
              (std::array<std::wstring, 3>{L"C:\\a.jpg", L"050131010102.jpg", L"C:\\b.jpg"}));
    // A box another program makes read-only asks for the colours of static text: the system's, readable.
    SendMessageW(GetDlgItem(window, 301), EM_SETREADONLY, TRUE, 0);
    const HDC boxDc = GetDC(GetDlgItem(window, 301));
    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(boxDc), LPARAM(GetDlgItem(window, 301)));
    EXPECT_NE(GetTextColor(boxDc), GetBkColor(boxDc));
    ReleaseDC(GetDlgItem(window, 301), boxDc);
    // At 144 DPI a control of each font in its character height, and the icon of that size.
    for (const auto& [id, height] :
         scale == 1 ? std::map<int, int>{} : std::map<int, int>{{100, 18}, {405, 41}, {409, 23}, {410, 17}}) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, id), WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        EXPECT_EQ(-font.lfHeight, height) << id;
    }
    ICONINFO icon{};
    ASSERT_TRUE(
        GetIconInfo(reinterpret_cast<HICON>(SendMessageW(GetDlgItem(window, 200), BM_GETIMAGE, IMAGE_ICON, 0)), &icon));
    BITMAP colour{};
    GetObjectW(icon.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 32 * scale) << "Picture1's icon";
    DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
    // Each option's caption in the scheme's window colour on its window-text colour: as started, then at once
    // after the change, without a restart.
    for (const COLORREF* scheme : {dark, standard}) {
        if (scheme == standard) {
            ASSERT_TRUE(SetSysColors(2, kSchemeElements, standard));
        }
        for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        for (int id = 100; id < 104; ++id) {
            SCOPED_TRACE(testing::Message() << id << (scheme == dark ? " dark" : " standard"));
            const HWND option = GetDlgItem(window, id);
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
