#include "tests/windows/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

std::wstring NomichronPath()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.rfind(L'\\')) + L"\\Nomichron.exe";
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64]{};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && wcscmp(className, search->className) == 0 &&
        (!search->mustBeVisible || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIconChild(HWND child, LPARAM parameter)
{
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

void RemoveTree(const std::wstring& path)
{
    for (const std::wstring& name : ListFolder(path)) {
        const std::wstring child = path + L"\\" + name;
        if (GetFileAttributesW(child.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(child);
        else
            DeleteFileW(child.c_str());
    }
    RemoveDirectoryW(path.c_str());
}

ULONGLONG ToSeconds(const SYSTEMTIME& time)
{
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000000ULL;
}

SYSTEMTIME FromSeconds(ULONGLONG seconds)
{
    const ULONGLONG ticks = seconds * 10000000ULL;
    const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return time;
}

} // namespace

ChildProcess::~ChildProcess()
{
    if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), 5000);
    }
}

ChildProcess StartNomichron(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + NomichronPath() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    return ChildProcess{ScopedHandle(info.hProcess), info.dwProcessId};
}

DWORD WaitForExit(const ChildProcess& child, DWORD milliseconds)
{
    if (WaitForSingleObject(child.process.get(), milliseconds) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(child.process.get(), &code);
    return code;
}

HWND WaitForWindow(const ChildProcess& child, const wchar_t* className, bool mustBeVisible, DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        WindowSearch search{child.id, className, mustBeVisible, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

RECT PlaceInParent(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND WaitForMessageBox(const ChildProcess& child, DWORD milliseconds)
{
    return WaitForWindow(child, L"#32770", true, milliseconds);
}

std::wstring MessageText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    std::wstring buffer(GetWindowTextLengthW(text) + 1, L'\0');
    buffer.resize(GetWindowTextW(text, buffer.data(), static_cast<int>(buffer.size())));
    return buffer;
}

bool MessageHasIcon(HWND box)
{
    bool found = false;
    EnumChildWindows(box, FindIconChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring ControlText(HWND control)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

std::wstring WindowTitle(HWND window)
{
    std::wstring buffer(GetWindowTextLengthW(window) + 1, L'\0');
    buffer.resize(GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size())));
    return buffer;
}

void ClickOk(HWND box)
{
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TempFolder::TempFolder()
{
    std::wstring base(MAX_PATH + 1, L'\0');
    base.resize(GetTempPathW(static_cast<DWORD>(base.size()), base.data()));
    static int sequence = 0;
    path = base + L"nomichron-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++sequence);
    RemoveTree(L"\\\\?\\" + path);
    if (!CreateDirectoryW(path.c_str(), nullptr))
        throw std::runtime_error("CreateDirectoryW failed");
}

TempFolder::~TempFolder()
{
    RemoveTree(L"\\\\?\\" + path);
}

void WriteTextFile(const std::wstring& path, const std::string& content)
{
    ScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.get() == INVALID_HANDLE_VALUE ||
        !::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr))
        throw std::runtime_error("cannot write a test file");
}

std::string ReadTextFile(const std::wstring& path)
{
    ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return {};
    std::string content(4096, '\0');
    DWORD read = 0;
    ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    content.resize(read);
    return content;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::wstring> ListFolder(const std::wstring& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0)
            names.insert(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

SYSTEMTIME LocalNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return now;
}

SYSTEMTIME AddSeconds(const SYSTEMTIME& time, int seconds)
{
    return FromSeconds(ToSeconds(time) + seconds);
}

std::set<std::wstring> CompactNames(const SYSTEMTIME& first, const SYSTEMTIME& last, int offset,
                                    const std::wstring& extension)
{
    std::set<std::wstring> names;
    for (ULONGLONG s = ToSeconds(first); s <= ToSeconds(last); ++s) {
        const SYSTEMTIME t = FromSeconds(s);
        wchar_t stem[32]{};
        swprintf(stem, 32, L"%02d%02d%02d%02d%02d%02d", t.wYear % 100, t.wMonth, t.wDay, t.wHour, t.wMinute,
                 t.wSecond + offset);
        names.insert(extension.empty() ? stem : std::wstring(stem) + L"." + extension);
    }
    return names;
}

FrozenClock::FrozenClock(const char* stamp)
{
    wchar_t unixPath[1024]{};
    if (GetEnvironmentVariableW(L"FAKETIME_TIMESTAMP_FILE", unixPath, 1024) == 0)
        throw std::runtime_error("FAKETIME_TIMESTAMP_FILE is not set: run the tests through tools/test");
    file = L"Z:" + std::wstring(unixPath);
    std::replace(file.begin(), file.end(), L'/', L'\\');
    DeleteFileW(file.c_str());
    WriteTextFile(file, stamp);
}

FrozenClock::~FrozenClock()
{
    DeleteFileW(file.c_str());
}

std::map<std::wstring, std::string> Tree(const std::wstring& folder)
{
    std::map<std::wstring, std::string> tree;
    const std::wstring whole = L"\\\\?\\" + folder;
    for (const std::wstring& name : ListFolder(whole)) {
        const std::wstring path = whole + L"\\" + name;
        if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            tree[name] = "<folder>";
            for (const auto& [below, content] : Tree(folder + L"\\" + name))
                tree[name + L"\\" + below] = content;
        } else {
            tree[name] = ReadTextFile(path);
        }
    }
    return tree;
}
