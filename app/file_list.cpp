#include "app/file_list.h"

#include <cstdint>

#include "app/whole_path.h"

namespace {

// pFiles, pt.x, pt.y, fNC, fWide: five little-endian 32-bit fields.
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kListOffsetAt = 0;
constexpr std::size_t kWideFlagAt = 16;

std::uint32_t ReadUint32(std::span<const unsigned char> block, std::size_t at)
{
    return block[at] | block[at + 1] << 8 | block[at + 2] << 16 | static_cast<std::uint32_t>(block[at + 3]) << 24;
}

std::u16string Utf16Of(std::span<const unsigned char> name)
{
    std::u16string text(name.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(name[2 * i] | name[2 * i + 1] << 8);
    return text;
}

} // namespace

std::optional<std::vector<std::u16string>> ReadFileList(std::span<const unsigned char> block, AnsiToUtf16 fromAnsi)
{
    if (block.size() < kHeaderSize)
        return std::nullopt;
    const std::size_t listStart = ReadUint32(block, kListOffsetAt);
    const bool wide = ReadUint32(block, kWideFlagAt) != 0;
    if (listStart < kHeaderSize || listStart > block.size())
        return std::nullopt;
    const std::size_t unit = wide ? 2 : 1;
    std::vector<std::u16string> paths;
    for (std::size_t at = listStart;; at += unit) {
        const std::size_t nameStart = at;
        // A unit cut by the block's end is no unit: the NUL must lie whole inside.
        while (block.size() - at >= unit && (block[at] != 0 || (wide && block[at + 1] != 0)))
            at += unit;
        if (block.size() - at < unit)
            return std::nullopt;
        if (at == nameStart)
            break;
        const std::span<const unsigned char> name = block.subspan(nameStart, at - nameStart);
        paths.push_back(
            wide ? Utf16Of(name) : fromAnsi(std::string_view(reinterpret_cast<const char*>(name.data()), name.size())));
        // A relative name would be renamed in whatever folder the program
        // was started from: the list is taken whole or not at all.
        if (!IsWholePath(paths.back()))
            return std::nullopt;
    }
    if (paths.empty())
        return std::nullopt;
    return paths;
}
