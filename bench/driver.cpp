#include "bench/driver.h"

#include <stdexcept>
#include <vector>

namespace {

std::wstring Whole(const std::wstring& path)
{
    return path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
}

// The names in a folder, whole.
std::vector<std::wstring> FolderNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW((Whole(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0)
            names.push_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(Whole(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

Program::~Program()
{
    if (WaitForExit(*this, 0) == STILL_ACTIVE)
        TerminateProcess(process.get(), 99);
}

std::wstring Beside(const wchar_t* name)
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

Program StartProgram(const std::wstring& exe, const std::wstring& arguments)
{
    return StartCommandLine(L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments));
}

Program StartCommandLine(std::wstring line)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start a program");
    CloseHandle(info.hThread);
    return Program{ScopedHandle(info.hProcess), info.dwProcessId};
}

DWORD WaitForExit(const Program& program, DWORD milliseconds)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(program.process.get(), milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(program.process.get(), &code);
    return code;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), 0, 5000, &length);
    return text.substr(0, length);
}

HWND WaitForWindow(const Program& program, const wchar_t* className, bool visible, DWORD milliseconds)
{
    for (const ULONGLONG end = GetTickCount64() + milliseconds;; Sleep(2)) {
        for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
             w = FindWindowExW(nullptr, w, className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == program.id && (!visible || IsWindowVisible(w)))
                return w;
        }
        if (GetTickCount64() >= end)
            return nullptr;
    }
}

void WriteFile(const std::wstring& path, const std::string& content)
{
    for (std::size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        CreateDirectoryW(Whole(path.substr(0, slash)).c_str(), nullptr);
    const ScopedHandle file(CreateFileW(Whole(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    DWORD written = 0;
    if (!::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr))
        throw std::runtime_error("cannot write a file");
}

void RemoveTree(const std::wstring& folder)
{
    for (const std::wstring& name : FolderNames(folder)) {
        const std::wstring path = folder + L"\\" + name;
        if (IsFolder(path))
            RemoveTree(path);
        else
            DeleteFileW(Whole(path).c_str());
    }
    RemoveDirectoryW(Whole(folder).c_str());
}
