// A dropped file list read from its block alone: wide and ANSI lists, and the
// blocks another program might send. Each block is exactly its size, so that
// AddressSanitizer sees any read past it.
#include <gtest/gtest.h>

#include <iconv.h>

#include "app/file_list.h"

namespace {

using namespace std::literals;
using Paths = std::optional<std::vector<std::u16string>>;

// The system code page of a Japanese Windows, as glibc converts it (to UTF-16 in this machine's byte order).
std::u16string FromCp932(std::string_view name)
{
    const iconv_t cp932 = iconv_open("UTF-16LE", "CP932");
    std::u16string text(name.size(), u'\0');
    char *in = const_cast<char*>(name.data()), *out = reinterpret_cast<char*>(text.data());
    std::size_t inLeft = name.size(), outLeft = text.size() * 2;
    const bool converted = iconv(cp932, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cp932);
    text.resize(converted ? text.size() - outLeft / 2 : 0);
    return text;
}

std::string BytesOf(std::u16string_view wide)
{
    std::string bytes;
    for (const char16_t unit : wide)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

// A DROPFILES header (the list's offset, a point and fNC whose bytes read as the wide whole path "C:\abc",
// fWide), then the list.
std::vector<unsigned char> Block(std::uint32_t listStart, bool wide, const std::string& list)
{
    std::vector<unsigned char> block(20, 0);
    for (int i = 0; i < 6; ++i)
        block[4 + 2 * i] = static_cast<unsigned char>("C:\\abc"[i]);
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<unsigned char>(listStart >> 8 * i);
    block[16] = wide;
    block.insert(block.end(), list.begin(), list.end());
    return block;
}

TEST(ReadFileList, ReadsTheNamesInsideTheBlockOrRefusesTheList)
{
    const std::vector<std::u16string> two{u"C:\\p\\a.jpg", u"\\\\nas\\写真\\b"};
    const std::string wideTwo = BytesOf(u"C:\\p\\a.jpg\0\\\\nas\\写真\\b\0\0"sv);
    for (const auto& [what, block, paths] : {
             std::tuple<const char*, std::vector<unsigned char>, Paths>("wide", Block(20, true, wideTwo), two),
             {"wide, with bytes to spare after the list", Block(20, true, wideTwo + "x\0y"s), two},
             {"ANSI in code page 932", Block(20, false, "C:\\\x8e\xca\x90\x5e\\\x95\x5c.jpg\0D:\\b\0\0"s),
              std::vector<std::u16string>{u"C:\\写真\\表.jpg", u"D:\\b"}},
             {"an ANSI name the code page cannot read", Block(20, false, "C:\\\x81\0\0"s), std::nullopt},
             {"one relative name among whole paths", Block(20, true, BytesOf(u"C:\\a\0sub\\b\0D:\\c\0\0"sv)),
              std::nullopt},
             {"empty: a wide NUL alone", Block(20, true, "\0\0"s), std::nullopt},
             {"no empty name at the end", Block(20, true, BytesOf(u"C:\\a.jpg\0"sv)), std::nullopt},
             {"the end's NUL cut in half", Block(20, true, BytesOf(u"C:\\a.jpg\0"sv) + '\0'), std::nullopt},
             {"a name running to the last byte", Block(20, false, "C:\\a.jpg"), std::nullopt},
             {"the list past the block", Block(0x7FFFFFF0, true, wideTwo), std::nullopt},
             {"the list inside its header", Block(4, true, wideTwo), std::nullopt},
             {"a header cut short", std::vector<unsigned char>(19, 0), std::nullopt},
         }) {
        EXPECT_EQ(ReadFileList(block, FromCp932), paths) << what;
    }
}

} // namespace
