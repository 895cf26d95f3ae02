#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A name in the system's ANSI code page as UTF-16; empty when it cannot be converted.
using AnsiToUtf16 = std::u16string (*)(std::string_view name);

// The paths of a file list (clipboard format 15) as another program hands it
// over: a DROPFILES header (the list's offset in the block, a point, and two
// flags, the last saying whether the names are UTF-16 or ANSI), then the
// names, each ended by a NUL, and an empty name after the last. Nothing
// outside the block is read. The list is refused (none) when the header, a
// name or the empty name that ends the list does not lie whole inside the
// block, when the list starts inside its header, when it holds no name, when
// an ANSI name cannot be converted, or when any name is no whole path
// (IsWholePath), as for every other input.
std::optional<std::vector<std::u16string>> ReadFileList(std::span<const unsigned char> block, AnsiToUtf16 fromAnsi);
