#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/platform.h"

// A raw command line cut into arguments by the rules Windows programs share
// with CommandLineToArgvW: the program's own path first (up to the next
// quote when it begins with one, else up to the first blank), then arguments
// between blanks, where double quotes group and vanish, 2n backslashes before
// a quote give n and the quote still groups, 2n + 1 give n and a literal
// quote, and other backslashes stay as they are.
struct CommandLineArguments {
    std::vector<std::u16string> arguments; // the program's own path first
    // The line ended inside a double quote: the last argument was cut off.
    bool lastLeftOpen = false;
};

CommandLineArguments SplitCommandLine(std::u16string_view commandLine);

// Whether an argument names one file whole, read the same by every layer
// down to the rename: a drive path "X:\..." (or "X:/..."), a network path
// "\\server\share\...", or "\\?\X:\..." or "\\?\UNC\server\share\...",
// which Win32 passes on unread. A relative name is not one: a program
// started from the file manager has a current folder the user never chose.
bool IsWholePath(std::u16string_view argument);

// The paths of a command line, every argument after the program's own path,
// up to the first that is no whole path. An argument cut off inside an open
// quote is left out: its text may name a parent folder of the files before it.
CommandLinePaths ReadCommandLinePaths(std::u16string_view commandLine);
