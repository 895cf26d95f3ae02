// What Nomichron.exe carries: the version record and the program icon,
// read back from the built executable.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/windows/harness.h"

namespace {

std::wstring VersionString(const std::vector<BYTE>& record, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\041104B0\\" + name;
    if (!VerQueryValueW(record.data(), path.c_str(), &value, &length) || length == 0)
        return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(Resources, VersionRecord)
{
    const std::wstring exe = NomichronPath();
    const HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceExW(image, RT_VERSION, MAKEINTRESOURCEW(1), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
              nullptr)
        << "the record is a Japanese resource";
    FreeLibrary(image);
    DWORD ignored = 0;
    std::vector<BYTE> record(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411) << "Japanese";
    EXPECT_EQ(translation[1], 1200) << "Unicode";

    EXPECT_EQ(VersionString(record, L"FileVersion"), L"2.00.0001");
    EXPECT_EQ(VersionString(record, L"ProductVersion"), L"2.00.0001");
    EXPECT_EQ(VersionString(record, L"FileDescription"), L"Nomichron ");
    EXPECT_EQ(VersionString(record, L"ProductName"), L"Nomichron");
    EXPECT_EQ(VersionString(record, L"InternalName"), L"Nomichron");
    EXPECT_EQ(VersionString(record, L"OriginalFilename"), L"Nomichron.exe");
    EXPECT_NE(VersionString(record, L"CompanyName"), L"<missing>");
    EXPECT_NE(VersionString(record, L"LegalCopyright"), L"<missing>");
}

struct Module {
    HMODULE handle;
    ~Module() { FreeLibrary(handle); }
};

std::vector<BYTE> ResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name)
{
    const HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr)
        return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    *reinterpret_cast<ULONG_PTR*>(found) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE;
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The executable's icon is its first icon group: 16 and 32 pixels with 256
// colours and a mask, then 48, 64 and 256 pixels in 32 bits, stored as PNG.
TEST(Resources, ProgramIconImages)
{
    const Module exe{LoadLibraryExW(NomichronPath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)};
    ASSERT_NE(exe.handle, nullptr);
    ULONG_PTR first = 0;
    EnumResourceNamesW(exe.handle, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, 1u);

    const std::vector<BYTE> group = ResourceBytes(exe.handle, RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, 2);
    ASSERT_EQ(count, 5);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
    const int expected[5][2] = {{16, 8}, {32, 8}, {48, 32}, {64, 32}, {256, 32}};
    for (int i = 0; i < count; ++i) {
        IconGroupEntry entry{};
        std::memcpy(&entry, group.data() + 6 + i * sizeof(entry), sizeof(entry));
        const int size = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE(size);
        EXPECT_EQ(size, expected[i][0]);
        EXPECT_EQ(entry.bitCount, expected[i][1]);
        const std::vector<BYTE> image = ResourceBytes(exe.handle, RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytes);
        if (size >= 48) {
            EXPECT_EQ(std::memcmp(image.data(), "\x89PNG", 4), 0);
            continue;
        }
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image.data(), sizeof(header));
        EXPECT_EQ(header.biWidth, size);
        EXPECT_EQ(header.biHeight, 2 * size) << "image and transparency mask";
        EXPECT_EQ(header.biBitCount, expected[i][1]);
        const std::size_t palette = header.biBitCount == 8 ? 256 * 4 : 0;
        const std::size_t row = ((size * header.biBitCount + 31) / 32) * 4;
        const std::size_t maskRow = ((size + 31) / 32) * 4;
        EXPECT_EQ(image.size(), sizeof(header) + palette + size * (row + maskRow));
    }
}

} // namespace
