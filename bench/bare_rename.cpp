// The baseline of a batch on the command line: a bare MoveFileExW loop that
// renames each file named as an argument, in its folder, to a name of the
// form Nomichron gives (050131010102.dat for the first).
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    for (int i = 1; i < __argc; ++i) {
        const std::wstring path = __wargv[i];
        wchar_t name[32]{};
        std::swprintf(name, 32, L"0501310101%02d.dat", 1 + i);
        const std::wstring target = path.substr(0, path.rfind(L'\\') + 1) + name;
        if (!MoveFileExW(path.c_str(), target.c_str(), 0))
            return 1;
    }
    return 0;
}
