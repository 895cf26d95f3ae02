// The command-line splitter against the rules' cases, as CommandLineToArgvW
// splits them.
#include <gtest/gtest.h>

#include "app/command_line_split.h"

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

} // namespace
