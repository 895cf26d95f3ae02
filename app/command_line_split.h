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

// The paths of a command line, every argument after the program's own path,
// up to the first that is no whole path (IsWholePath). An argument cut off inside an open
// quote is left out: its text may name a parent folder of the files before it.
CommandLinePaths ReadCommandLinePaths(std::u16string_view commandLine);
