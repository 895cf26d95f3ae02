// The live window of the real Nomichron.exe, read from this process: every
// control's class, text and place, the options, the focus and the keyboard
// order, at 96 DPI and at 144.
#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/drop_session.h"
#include "tests/windows/harness.h"

namespace {

struct ExpectedControl {
    const wchar_t* name;
    int id;
    const wchar_t* className;
    int left, top, width, height; // pixels at 96 DPI
    const wchar_t* text;          // nullptr: any text but an empty one
};

// The form as drawn, in its own order.
const ExpectedControl kControls[] = {
    {L"Option1(2)", 102, L"Button", 35, 329, 148, 22, L"050131-***"},
    {L"Option1(1)", 101, L"Button", 35, 308, 148, 22, L"05-01-31-01-01-01"},
    {L"Option1(0)", 100, L"Button", 35, 287, 148, 22, L"050131010101  (Default)"},
    {L"Picture1", 200, L"Static", 224, 315, 32, 32, L""},
    {L"Text10", 310, L"Edit", 14, 651, 575, 22, L"Text10"},
    {L"Text9", 309, L"Edit", 14, 623, 323, 22, L"Text9"},
    {L"Text8", 308, L"Edit", 14, 595, 324, 19, L"Text8"},
    {L"Text7", 307, L"Edit", 14, 574, 54, 17, L"Text7"},
    {L"Text6", 306, L"Edit", 14, 553, 54, 18, L"Text6"},
    {L"Text5", 305, L"Edit", 14, 532, 54, 20, L"Text5"},
    {L"Text4", 304, L"Edit", 14, 511, 54, 18, L"Text4"},
    {L"Text3", 303, L"Edit", 14, 490, 54, 18, L"Text3"},
    {L"Text2", 302, L"Edit", 14, 469, 54, 18, L"Text2"},
    {L"Text1", 301, L"Edit", 14, 441, 584, 20, L"Text1"},
    {L"Option1(3)", 103, L"Button", 35, 350, 148, 22, L"20050131-***"},
    {L"Image1", 500, L"Static", 16, 15, 32, 32, L""},
    {L"Label10", 410, L"Static", 190, 41, 125, 15, nullptr},
    {L"Label5", 405, L"Static", 57, 9, 211, 29, L"Nomichron"},
    {L"Label9", 409, L"Static", 35, 67, 167, 15, L"★エクスプローラモード★"},
    {L"Label8", 408, L"Static", 35, 255, 267, 29,
     L"リネームしたいファイルを右下のアイコンにドラック＆ドロップすると、選択した形式でリネームします。"},
    {L"Label7", 407, L"Static", 35, 231, 148, 15, L"★カスタマイズモード★"},
    {L"Label6", 406, L"Static", 35, 147, 253, 15, L"test.jpg をドラック＆ドロップした時刻が"},
    {L"Label4", 404, L"Static", 35, 189, 190, 15, L"050131010101.jpg\u3000\u3000と変更されます。"},
    {L"Label3", 403, L"Static", 35, 168, 246, 15, L"2005年1月31日1時1分1秒ならばファイル名は"},
    {L"Label2", 402, L"Static", 35, 126, 253, 15, L"ファイル名をドロップされた時刻にリネームします。"},
    {L"Label1", 401, L"Static", 34, 91, 267, 29,
     L"リネームしたいファイルを Nomichron.exe のアイコンに直接ドラック＆ドロップしてお使いください。"},
};

constexpr int kOption1 = 100;
constexpr int kPicture1 = 200;
constexpr int kText1 = 301;

HWND Focus(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Presses a key on the focused control and returns the control that has the
// focus once it has moved (or the same one after ten seconds: Wine sometimes
// takes two to deliver a posted message to a window that has just appeared).
HWND Press(HWND window, WPARAM key)
{
    const HWND before = Focus(window);
    PostMessageW(before, WM_KEYDOWN, key, 1);
    for (int waited = 0; waited < 10000 && Focus(window) == before; waited += 10)
        Sleep(10);
    return Focus(window);
}

std::vector<int> CheckedOptions(HWND window)
{
    std::vector<int> checked;
    for (int i = 0; i < 4; ++i) {
        DWORD_PTR state = 0;
        SendMessageTimeoutW(GetDlgItem(window, kOption1 + i), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
        if (state == BST_CHECKED)
            checked.push_back(i);
    }
    return checked;
}

// Nomichron started without arguments, with its window shown and waiting
// for input: the focus is on a control by then.
struct OpenWindow {
    OpenWindow() : child(StartNomichron(L"")), window(WaitForWindow(child, L"NomichronForm1", true, 20000))
    {
        WaitForInputIdle(child.process.get(), 10000);
        for (int waited = 0; window != nullptr && !IsChild(window, Focus(window)) && waited < 10000; waited += 10)
            Sleep(10);
    }
    ChildProcess child;
    HWND window;
};

// Reads the window in physical pixels, whatever this process's own DPI.
void BeDpiAware()
{
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

// Every control where the form puts it: exactly at 96 DPI, within a pixel
// when scaled.
void ExpectLayout(HWND window, double scale)
{
    const double tolerance = scale == 1.0 ? 0.0 : 1.0;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "the user can't resize the window";
    EXPECT_EQ(WindowTitle(window), L"Nomichron");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, 331 * scale, tolerance);
    EXPECT_NEAR(client.bottom, 391 * scale, tolerance);
    RECT frame{}, workArea{};
    GetWindowRect(window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR(frame.left + frame.right, workArea.left + workArea.right, 2.0) << "centred across";
    EXPECT_NEAR(frame.top + frame.bottom, workArea.top + workArea.bottom, 2.0) << "centred down";

    for (const ExpectedControl& expected : kControls) {
        SCOPED_TRACE(expected.name);
        const HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr);
        wchar_t className[32]{};
        GetClassNameW(control, className, 32);
        EXPECT_EQ(_wcsicmp(className, expected.className), 0) << className;
        const RECT r = PlaceInParent(control);
        EXPECT_NEAR(r.left, expected.left * scale, tolerance);
        EXPECT_NEAR(r.top, expected.top * scale, tolerance);
        EXPECT_NEAR(r.right, (expected.left + expected.width) * scale, tolerance);
        EXPECT_NEAR(r.bottom, (expected.top + expected.height) * scale, tolerance);
        EXPECT_TRUE(IsWindowVisible(control));
        if (expected.text != nullptr)
            EXPECT_EQ(ControlText(control), expected.text);
        else
            EXPECT_FALSE(ControlText(control).empty());
    }
    // The boxes hold the record out of sight: the client area ends 50 pixels above Text1.
    EXPECT_NEAR(PlaceInParent(GetDlgItem(window, kText1)).top - client.bottom, 50 * scale, 1.0);
    EXPECT_EQ(CheckedOptions(window), std::vector<int>{0});
    EXPECT_EQ(Focus(window), GetDlgItem(window, kOption1));
}

TEST(Window, LayoutAt96Dpi)
{
    BeDpiAware();
    OpenWindow open;
    ASSERT_NE(open.window, nullptr);
    ExpectLayout(open.window, 1.0);
}

// LogPixels of the test prefix, set for one test and put back afterwards.
class DisplayDpi {
public:
    explicit DisplayDpi(DWORD dpi)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key, nullptr);
        DWORD size = sizeof(previous);
        hadValue = RegQueryValueExW(key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous),
                                    &size) == ERROR_SUCCESS;
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~DisplayDpi()
    {
        if (hadValue)
            RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous), sizeof(previous));
        else
            RegDeleteValueW(key, L"LogPixels");
        RegCloseKey(key);
    }
    DisplayDpi(const DisplayDpi&) = delete;
    DisplayDpi& operator=(const DisplayDpi&) = delete;

private:
    HKEY key = nullptr;
    DWORD previous = 0;
    bool hadValue = false;
};

TEST(Window, LayoutScalesAt144Dpi)
{
    BeDpiAware();
    const DisplayDpi dpi(144);
    OpenWindow open;
    ASSERT_NE(open.window, nullptr);
    ExpectLayout(open.window, 1.5);
}

TEST(Window, KeyboardOrderAndOneSelectedOption)
{
    OpenWindow open;
    ASSERT_NE(open.window, nullptr);
    const HWND window = open.window;
    // From the selected option to Picture1, through Text1 to Text10, and back.
    std::vector<int> order;
    for (int step = 0; step < 12; ++step)
        order.push_back(GetDlgCtrlID(Press(window, VK_TAB)));
    const std::vector<int> expected{kPicture1, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310, kOption1};
    EXPECT_EQ(order, expected);

    // The arrow keys move through the group and select as they go.
    EXPECT_EQ(GetDlgCtrlID(Press(window, VK_DOWN)), kOption1 + 1);
    EXPECT_EQ(CheckedOptions(window), std::vector<int>{1});
    // A click selects one and clears the rest; Tab then enters the group there.
    PostMessageW(GetDlgItem(window, kOption1 + 3), BM_CLICK, 0, 0);
    for (int waited = 0; waited < 5000 && CheckedOptions(window) != std::vector<int>{3}; waited += 20)
        Sleep(20);
    EXPECT_EQ(CheckedOptions(window), std::vector<int>{3});
    for (int step = 0; step < 11; ++step)
        Press(window, VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(Press(window, VK_TAB)), kOption1 + 3);

    // Nothing is kept: the next start selects Option1(0) again.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(open.child, 10000), 0u);
    OpenWindow again;
    ASSERT_NE(again.window, nullptr);
    EXPECT_EQ(CheckedOptions(again.window), std::vector<int>{0});
    EXPECT_EQ(Focus(again.window), GetDlgItem(again.window, kOption1));
}

std::vector<std::wstring> Boxes(HWND window)
{
    std::vector<std::wstring> texts;
    for (int box = 0; box < 10; ++box)
        texts.push_back(ControlText(GetDlgItem(window, kText1 + box)));
    return texts;
}

TEST(Window, BoxesShowTheFieldsOfAFailedDrop)
{
    TempFolder folder;
    const SYSTEMTIME today = LocalNow(); // a drop across midnight is not worth a test run
    wchar_t date[8]{};
    swprintf(date, 8, L"%02d%02d%02d", today.wYear % 100, today.wMonth, today.wDay);
    const std::wstring taken = date + std::wstring(L"-001");
    WriteTextFile(folder / L"a.jpg", "mine");
    WriteTextFile(folder / (taken + L".jpg"), "an earlier drop's");

    DropSession session(2, {folder / L"a.jpg"});
    const HWND box = WaitForMessageBox(session.child, 20000);
    ASSERT_NE(box, nullptr);
    // Read while the message is up, and again once it is answered.
    const std::vector<std::wstring> shown = Boxes(session.window);
    ClickOk(box);
    session.FinishDrop();
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[0], folder / L"a.jpg");
    EXPECT_EQ(shown[1] + shown[2] + shown[3], date);
    for (int field = 4; field <= 6; ++field) {
        EXPECT_EQ(shown[field].size(), 2u) << "hour, minute and second have two digits";
        EXPECT_EQ(shown[field].find_first_not_of(L"0123456789"), std::wstring::npos);
    }
    EXPECT_EQ(shown[7], taken);
    EXPECT_EQ(shown[8], taken + L".jpg");
    EXPECT_EQ(shown[9], folder.Path());
    EXPECT_EQ(Boxes(session.window), shown);
    EXPECT_EQ(ReadTextFile(folder / L"a.jpg"), "mine");
}

} // namespace
