#pragma once

#include <string_view>

// Whether a name from outside (a command-line argument, a name in a dropped
// list, a file chosen in the Open dialog) names one file whole, read the same
// by every layer down to the rename: a drive path "X:\..." (or "X:/..."), a
// network path "\\server\share\...", or "\\?\X:\..." or "\\?\UNC\server\share\..."
// ("UNC" in any case, as Windows reads it), which Win32 passes on unread. A
// relative name is not one: a program started from the file manager has a
// current folder the user never chose. Every input is read by this one rule.
bool IsWholePath(std::u16string_view name);
