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

struct SplitCase {
    std::u16string line;
    std::vector<std::u16string> arguments;
    bool lastLeftOpen = false;
};

const SplitCase kCases[] = {
    {u"p.exe", {u"p.exe"}},
    {u"p.exe  a\tb  ", {u"p.exe", u"a", u"b"}},
    {u"\"C:\\My Apps\\p.exe\"x \"a b\"", {u"C:\\My Apps\\p.exe", u"x", u"a b"}},
    {u"\"C:\\a\\\"b\\\\\" c", {u"C:\\a\\", u"b\\ c"}, true}, // no backslash rules in the program's path
    {u"C:\\p\"q.exe a", {u"C:\\p\"q.exe", u"a"}},
    {u"p a\\b \\\\c\\", {u"p", u"a\\b", u"\\\\c\\"}},    // backslashes before no quote stay
    {u"p \\\"a \\\\\"b c\" \\\\\\\"d", {u"p", u"\"a", u"\\b c", u"\\\"d"}}, // 1, 2 and 3 before a quote
    {u"p a\"b c\"d \"\" \"\"\"e\"\"\" f", {u"p", u"ab cd", u"", u"\"e\"", u"f"}},
    {u"p \"a\"\"b\" c", {u"p", u"a\"b c"}, true}, // the third quote of a run is literal
    {u"p \"C:\\x\\a.jpg\" \"C:\\x", {u"p", u"C:\\x\\a.jpg", u"C:\\x"}, true},
    {u"p \"C:\\x\\\" y", {u"p", u"C:\\x\" y"}, true},
    {u"\"C:\\p.exe a", {u"C:\\p.exe a"}, true},
};

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    for (const SplitCase& c : kCases) {
        SCOPED_TRACE(std::string(c.line.begin(), c.line.end()));
        const CommandLineArguments split = SplitCommandLine(c.line);
        EXPECT_EQ(split.arguments, c.arguments);
        EXPECT_EQ(split.lastLeftOpen, c.lastLeftOpen);
    }
}

TEST(SplitCommandLine, ArgumentStringQuotesEveryCompleteArgument)
{
    EXPECT_EQ(ArgumentStringOf(u"p.exe"), u"");
    EXPECT_EQ(ArgumentStringOf(u"p C:\\x\\a.jpg \"D:\\写真 \U0001F4F7.jpg\" \"\""),
              u"\"C:\\x\\a.jpg\" \"D:\\写真 \U0001F4F7.jpg\" \"\"");
    // A line cut inside a quote would otherwise rename the folder it stopped at.
    EXPECT_EQ(ArgumentStringOf(u"p \"C:\\x\\a.jpg\" \"C:\\x"), u"\"C:\\x\\a.jpg\"");
    EXPECT_EQ(ArgumentStringOf(u"\"C:\\My Apps\\p.exe\" \"C:\\x\\a.jpg\""), u"\"C:\\x\\a.jpg\"");
}

#ifdef _WIN32
std::vector<std::u16string> ArgvOf(const std::u16string& line)
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(reinterpret_cast<const wchar_t*>(line.c_str()), &count);
    std::vector<std::u16string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    LocalFree(argv);
    return arguments;
}

TEST(SplitCommandLine, GivesWhatCommandLineToArgvWGives)
{
    for (const SplitCase& c : kCases)
        EXPECT_EQ(SplitCommandLine(c.line).arguments, ArgvOf(c.line));
    // Every line of up to 8 of these characters (an empty line is the program's own path).
    const std::u16string alphabet = u"a \t\"\\";
    std::vector<std::u16string> lines{u""};
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (at > 0) {
            ASSERT_EQ(SplitCommandLine(lines[at]).arguments, ArgvOf(lines[at]));
        }
        if (lines[at].size() < 8) {
            for (char16_t c : alphabet)
                lines.push_back(lines[at] + c);
        }
    }
}
#endif

} // namespace
