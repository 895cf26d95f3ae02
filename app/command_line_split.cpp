#include "app/command_line_split.h"

#include <algorithm>

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

bool IsWholePath(std::u16string_view argument)
{
    if (argument.find(u'"') != std::u16string_view::npos)
        return false;
    const std::size_t colon = argument.find(u':');
    if (colon == std::u16string_view::npos)
        return true;
    const std::size_t drive = argument.starts_with(u"\\\\?\\") || argument.starts_with(u"\\\\.\\") ? 4 : 0;
    if (colon != drive + 1 || argument.find(u':', colon + 1) != std::u16string_view::npos)
        return false;
    const char16_t letter = argument[drive] | 0x20; // lower case, for ASCII letters
    return letter >= u'a' && letter <= u'z';
}

ArgumentString ArgumentStringOf(std::u16string_view commandLine)
{
    const CommandLineArguments split = SplitCommandLine(commandLine);
    const std::size_t complete = split.arguments.size() - (split.lastLeftOpen ? 1 : 0);
    ArgumentString joined;
    for (std::size_t i = 1; i < complete; ++i) {
        if (!IsWholePath(split.arguments[i])) {
            joined.stopsAtRefused = true;
            break;
        }
        if (i > 1)
            joined.text += u' ';
        joined.text += u'"' + split.arguments[i] + u'"';
    }
    return joined;
}
