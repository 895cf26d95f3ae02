// The command-line splitter against the rules' cases; under Wine the same
// table, and every short line of the characters that matter, against
// CommandLineToArgvW itself.
#include <gtest/gtest.h>

#include "app/command_line_split.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

// A line, its arguments (the program's own path first), and whether the line ends inside a quote.
const std::tuple<std::u16string, std::vector<std::u16string>, bool> kCases[] = {
    {u"p.exe  a\tb  ", {u"p.exe", u"a", u"b"}, false},
    {u"\"C:\\My Apps\\p.exe\"x \"a b\"", {u"C:\\My Apps\\p.exe", u"x", u"a b"}, false},
    {u"\"C:\\a\\\"b\\\\\" c", {u"C:\\a\\", u"b\\ c"}, true}, // no backslash rules in the program's path
    {u"C:\\p\"q.exe a", {u"C:\\p\"q.exe", u"a"}, false},
    {u"p a\\b \\\\c\\", {u"p", u"a\\b", u"\\\\c\\"}, false}, // backslashes before no quote stay
    {u"p \\\\?\\UNC\\s\\h\\a.jpg \"\\\\s\\h\\b c\\\\\"", {u"p", u"\\\\?\\UNC\\s\\h\\a.jpg", u"\\\\s\\h\\b c\\"}, false},
    {u"p \\\"a \\\\\"b c\" \\\\\\\"d", {u"p", u"\"a", u"\\b c", u"\\\"d"}, false}, // 1, 2 and 3 before a quote
    {u"p a\"b c\"d \"\" \"\"\"e\"\"\" f", {u"p", u"ab cd", u"", u"\"e\"", u"f"}, false},
    {u"p \"a\"\"b\" c", {u"p", u"a\"b c"}, true}, // a run's third quote is literal
    {u"p \"C:\\x\\a.jpg\" \"C:\\x", {u"p", u"C:\\x\\a.jpg", u"C:\\x"}, true},
    {u"\"C:\\p.exe a", {u"C:\\p.exe a"}, true},
};

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    for (const auto& [line, arguments, lastLeftOpen] : kCases) {
        const CommandLineArguments split = SplitCommandLine(line);
        EXPECT_EQ(split.arguments, arguments);
        EXPECT_EQ(split.lastLeftOpen, lastLeftOpen);
    }
}

#ifdef _WIN32
TEST(SplitCommandLine, GivesWhatCommandLineToArgvWGives)
{
    const auto argv = [](const std::u16string& line) {
        int count = 0;
        LPWSTR* given = CommandLineToArgvW(reinterpret_cast<const wchar_t*>(line.c_str()), &count);
        std::vector<std::u16string> arguments(count);
        for (int i = 0; i < count; ++i)
            arguments[i] = reinterpret_cast<const char16_t*>(given[i]);
        LocalFree(given);
        return arguments;
    };
    for (const auto& [line, arguments, lastLeftOpen] : kCases)
        EXPECT_EQ(SplitCommandLine(line).arguments, argv(line));
    // Every line of 1 to 8 of these characters (an empty line gives the program's own path).
    std::vector<std::u16string> lines{u""};
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (at > 0) {
            ASSERT_EQ(SplitCommandLine(lines[at]).arguments, argv(lines[at]));
        }
        for (char16_t c : lines[at].size() < 8 ? std::u16string(u"a \t\"\\") : u"")
            lines.push_back(lines[at] + c);
    }
}
#endif

} // namespace
