// The real Nomichron.exe as Windows sees it: its live window at 96 DPI against
// the form as drawn, and the resources it carries.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <vector>

#include "bench/driver.h"

namespace {

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

TEST(Window, LayoutAt96Dpi)
{
    const Program nomichron = StartProgram(Beside(L"Nomichron.exe"), L"");
    const HWND window = WaitForWindow(nomichron, L"NomichronForm1", true, 20000);
    ASSERT_NE(window, nullptr) << "no visible window within 20 s";
    WaitForInputIdle(nomichron.process.get(), 10000);
    EXPECT_TRUE(WindowText(window) == L"Nomichron" &&
                (GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX)) ==
                    (WS_CAPTION | WS_SYSMENU))
        << "its caption; a size the user can't change";
    RECT client{}, frame{}, work{};
    GetClientRect(window, &client), GetWindowRect(window, &frame), SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((std::array<LONG, 4>{client.right, client.bottom, (frame.left + frame.right - work.left - work.right) / 2,
                                   (frame.top + frame.bottom - work.top - work.bottom) / 2}),
              (std::array<LONG, 4>{331, 391, 0, 0}))
        << "its size, centred on the screen";
    for (const auto& c : kForm) {
        SCOPED_TRACE(c.id);
        const HWND control = GetDlgItem(window, c.id);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array<LONG, 4>{c.left, c.top, c.left + c.width, c.top + c.height}));
        wchar_t name[16]{};
        GetClassNameW(control, name, 16);
        EXPECT_EQ(_wcsicmp(name, c.id <= 200 ? L"Button" : c.id > 300 && c.id < 400 ? L"Edit" : L"Static"), 0) << name;
        EXPECT_TRUE(IsWindowVisible(control) &&
                    (c.text ? WindowText(control) == c.text : !WindowText(control).empty()));
    }
    // Option1(0) alone checked, and focused; Tab runs from it through Picture1 and Text1 to Text10
    // and back, the arrow keys from option to option.
    for (int i = 0; i < 4; ++i) {
        DWORD_PTR checked = BST_INDETERMINATE; // unless it answers within 5 s
        SendMessageTimeoutW(GetDlgItem(window, 100 + i), BM_GETCHECK, 0, 0, 0, 5000, &checked);
        EXPECT_EQ(checked, DWORD_PTR(i == 0 ? BST_CHECKED : BST_UNCHECKED)) << i;
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    std::vector<int> order{GetDlgCtrlID(thread.hwndFocus)};
    for (HWND at = thread.hwndFocus; order.size() < 13;)
        order.push_back(GetDlgCtrlID(at = GetNextDlgTabItem(window, at, FALSE)));
    EXPECT_EQ(order, (std::vector{100, 200, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 100}));
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(window, GetDlgItem(window, 100), FALSE)), 101);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(nomichron, 20000), 0u) << "its exit code (259: still running after 20 s)";
}

// Its version record, as a Japanese resource. The icon is the committed file tools/make_icon writes.
TEST(Resources, VersionRecord)
{
    const std::wstring exe = Beside(L"Nomichron.exe");
    std::vector<BYTE> record(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, DWORD(record.size()), record.data()));
    const auto value = [&](const std::wstring& path) {
        void* found = nullptr;
        UINT length = 0;
        return VerQueryValueW(record.data(), path.c_str(), &found, &length)
                   ? static_cast<const DWORD*>(found)
                   : nullptr;
    };
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    EXPECT_EQ(std::vector({fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                           fixed->dwProductVersionLS, fixed->dwFileType, *value(L"\\VarFileInfo\\Translation")}),
              std::vector<DWORD>({0x20000, 1, 0x20000, 1, VFT_APP, 1200 << 16 | 0x411}))
        << "2.0.0.1, Japanese, Unicode";
    for (const auto& [name, text] :
         {std::pair(L"FileVersion", L"2.00.0001"),
          {L"ProductVersion", L"2.00.0001"},
          {L"FileDescription", L"Nomichron "},
          {L"ProductName", L"Nomichron"},
          {L"InternalName", L"Nomichron"},
          {L"OriginalFilename", L"Nomichron.exe"},
          {L"CompanyName", nullptr},
          {L"LegalCopyright", nullptr}}) {
        const auto* found =
            reinterpret_cast<const wchar_t*>(value(L"\\StringFileInfo\\041104B0\\" + std::wstring(name)));
        EXPECT_TRUE(found && (text ? std::wstring(found) == text : *found != L'\0')) << name;
    }
    const HMODULE image =
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    EXPECT_NE(FindResourceExW(image, RT_VERSION, MAKEINTRESOURCEW(1), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
              nullptr);
}

} // namespace
