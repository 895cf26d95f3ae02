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

namespace {

bool IsDriveLetter(char16_t c)
{
    const char16_t lower = c | 0x20; // for ASCII letters
    return lower >= u'a' && lower <= u'z';
}

// A name as the file system takes it: not empty, no "/", and no dot or space
// at its end, which Win32 drops from a path it reads ("." and ".." too).
bool IsPlainName(std::u16string_view name)
{
    return !name.empty() && name.find(u'/') == std::u16string_view::npos && name.back() != u'.' && name.back() != u' ';
}

bool AreAllPlainNames(std::u16string_view names)
{
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(names.find(u'\\', start), names.size());
        if (!IsPlainName(names.substr(start, end - start)))
            return false;
        if (end == names.size())
            return true;
        start = end + 1;
    }
}

// "server\share\" and whatever follows: without both names Win32 would read
// the path as a device ("\\.\") or as another server's.
bool StartsWithShare(std::u16string_view names)
{
    const std::size_t server = names.find(u'\\');
    const std::size_t share = server == std::u16string_view::npos ? server : names.find(u'\\', server + 1);
    return share != std::u16string_view::npos && AreAllPlainNames(names.substr(0, share));
}

} // namespace

bool IsWholePath(std::u16string_view argument)
{
    // After \\?\ Win32 reads nothing: the names reach the file system as
    // written, so they must be the ones the rename's folder split sees.
    const bool verbatim = argument.starts_with(u"\\\\?\\");
    std::u16string_view names = verbatim ? argument.substr(4) : argument;
    bool share = false;
    if (names.size() >= 3 && IsDriveLetter(names[0]) && names[1] == u':' &&
        (names[2] == u'\\' || (names[2] == u'/' && !verbatim))) {
        names.remove_prefix(3);
    } else if (names.starts_with(verbatim ? u"UNC\\" : u"\\\\")) {
        names.remove_prefix(verbatim ? 4 : 2);
        share = true;
    } else {
        return false;
    }
    // No Windows name holds a quote, and a colon past the drive's would name
    // a stream ("a.jpg:x") or be cut into a path nobody named ("x://y").
    if (names.find_first_of(u"\":") != std::u16string_view::npos || (share && !StartsWithShare(names)))
        return false;
    return !verbatim || AreAllPlainNames(names);
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
