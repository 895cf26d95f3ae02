// Run under Wine beside a Nomichron started by a test script.
//   message_probe [ms]          waits up to ms (default 10000) for a visible message
//                               box captioned "Nomichron", prints its text (UTF-8, with
//                               "\" "\r" "\n" written as \\ \r \n) and "icon" or "no icon",
//                               clicks OK; exit 0, or 1 when no box came.
//   message_probe --close [ms]  sends WM_CLOSE to the Nomichron window; exit 1 if none.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

HWND WaitForWindow(const wchar_t* className, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const HWND window = FindWindowW(className, L"Nomichron");
        if (window != nullptr && IsWindowVisible(window))
            return window;
        if (GetTickCount() - start >= milliseconds)
            return nullptr;
        Sleep(20);
    }
}

void Print(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

BOOL CALLBACK FindIcon(HWND child, LPARAM found)
{
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool close = argc > 1 && std::wcscmp(argv[1], L"--close") == 0;
    const int timeArgument = close ? 2 : 1;
    const DWORD wait = argc > timeArgument ? std::wcstoul(argv[timeArgument], nullptr, 10) : 10000;
    if (close) {
        const HWND form = WaitForWindow(L"NomichronForm1", wait);
        DWORD_PTR result = 0;
        return form != nullptr && SendMessageTimeoutW(form, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result) ? 0 : 1;
    }
    const HWND box = WaitForWindow(L"#32770", wait);
    if (box == nullptr)
        return 1;
    wchar_t text[1024]{};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    std::wstring line;
    for (const wchar_t* c = text; *c != L'\0'; ++c)
        line += *c == L'\r' ? L"\\r" : *c == L'\n' ? L"\\n" : *c == L'\\' ? L"\\\\" : std::wstring(1, *c);
    bool icon = false;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
    Print(line + L"\n" + (icon ? L"icon\n" : L"no icon\n"));
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return 0;
}
