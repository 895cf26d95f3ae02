// Planted beside a copy of Nomichron.exe under the names of system DLLs: when
// any process loads it, it leaves "<its own path>.loaded" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        std::wstring path(32768, L'\0');
        path.resize(GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size())));
        CloseHandle(CreateFileW((path + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
