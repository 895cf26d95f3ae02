#include "app/command_line_split.h"

#include <algorithm>

#include "app/whole_path.h"

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

CommandLineArguments SplitCommandLine(std::u16string_view line)
{
    CommandLineArguments split;
    if (line.empty())
        return split;
    // The program's own path: no backslash rules, no quotes inside.
    std::size_t at = 0;
    if (line[0] == u'"') {
        const std::size_t close = line.find(u'"', 1);
        split.lastLeftOpen = close == std::u16string_view::npos;
        split.arguments.emplace_back(line.substr(1, close - 1));
        at = split.lastLeftOpen ? line.size() : close + 1;
    } else {
        at = std::min(line.find_first_of(u" \t"), line.size());
        split.arguments.emplace_back(line.substr(0, at));
        if (at < line.size())
            ++at;
    }

    // quotes: 0 outside a quoted stretch, 1 inside; a run of quotes counts up,
    // and every third quote of a run is a literal one.
    int quotes = 0;
    std::size_t backslashes = 0;
    std::u16string* argument = nullptr;
    while (at < line.size()) {
        const char16_t c = line[at];
        if (IsBlank(c) && quotes == 0) {
            argument = nullptr;
            backslashes = 0;
            ++at;
            continue;
        }
        if (argument == nullptr)
            argument = &split.arguments.emplace_back();
        ++at;
        if (c == u'\\') {
            ++backslashes;
            *argument += c;
            continue;
        }
        if (c != u'"') {
            backslashes = 0;
            *argument += c;
            continue;
        }
        // Half the backslashes before a quote stay; an odd one out makes the quote literal.
        argument->resize(argument->size() - (backslashes + 1) / 2);
        if (backslashes % 2 == 1)
            *argument += u'"';
        else
            ++quotes;
        backslashes = 0;
        for (; at < line.size() && line[at] == u'"'; ++at) {
            if (++quotes == 3) {
                *argument += u'"';
                quotes = 0;
            }
        }
        if (quotes == 2)
            quotes = 0;
    }
    split.lastLeftOpen = split.lastLeftOpen || quotes != 0;
    return split;
}

CommandLinePaths ReadCommandLinePaths(std::u16string_view commandLine)
{
    const CommandLineArguments split = SplitCommandLine(commandLine);
    const std::size_t complete = split.arguments.size() - (split.lastLeftOpen ? 1 : 0);
    CommandLinePaths read;
    for (std::size_t i = 1; i < complete; ++i) {
        if (!IsWholePath(split.arguments[i])) {
            read.stopsAtRefused = true;
            break;
        }
        read.paths.push_back(split.arguments[i]);
    }
    return read;
}
