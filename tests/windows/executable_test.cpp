// The real Nomichron.exe as Windows sees it: the resources it carries.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "bench/driver.h"

namespace {

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
