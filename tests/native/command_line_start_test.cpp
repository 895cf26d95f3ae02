#include <gtest/gtest.h>

#include "app/command_line_start.h"
#include "tests/native/fakes.h"

namespace {

enum class End { Closed, Shown, FailedThenClosed };

struct StartCase {
    const char* what;
    std::u16string arguments;
    std::vector<std::u16string> existAfter; // every other file of the tree keeps its name
    End end;
};

// A start-up over a small tree of files, 31 January 2005 at 01:01:01.
struct StartBench {
    StartBench()
    {
        for (const char16_t* path : {u"C:\\p\\a.jpg", u"C:\\p\\a.jpg ", u"C:\\p\\README", u"C:\\p\\写真 \U0001F4F7.JPG", u"D:\\b\\x.jpg",
                                     u"D:\\b\\y.jpg", u"E:\\c\\d.jpg", u"\\\\server\\share\\n.jpg"})
            fs.AddFile(path, "content");
    }

    void Start(const std::u16string& arguments)
    {
        process.arguments = arguments;
        window = FakeWindow();
        messages.shown.clear();
        Form_Load({process, window, messages, clock, fs});
    }

    End HowItEnded() const
    {
        EXPECT_EQ(window.showCount + window.closeCount, 1);
        if (window.showCount == 1) {
            EXPECT_TRUE(messages.shown.empty());
            return End::Shown;
        }
        if (messages.shown.empty())
            return End::Closed;
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, u"処理が間に合いません\r\n再実行してください");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
        return End::FailedThenClosed;
    }

    FakeProcess process;
    FakeWindow window;
    FakeMessages messages;
    FakeClock clock{Reading(2005, 1, 31, 1, 1, 1)};
    FakeFileSystem fs;
};

TEST(FormLoad, ArgumentStringsRenameWhatTheyHold)
{
    const StartBench untouched;
    const StartCase cases[] = {
        {"one quoted path: second + 1", u"\"C:\\p\\a.jpg\"", {u"C:\\p\\050131010102.jpg"}, End::Closed},
        {"two paths, Japanese and a surrogate pair: + 1, + 2",
         u"\"C:\\p\\a.jpg\" \"C:\\p\\写真 \U0001F4F7.JPG\"",
         {u"C:\\p\\050131010102.jpg", u"C:\\p\\050131010103.JPG"}, End::Closed},
        {"extension found anew for every file", u"\"C:\\p\\a.jpg\" \"C:\\p\\README\"",
         {u"C:\\p\\050131010102.jpg", u"C:\\p\\050131010103"}, End::Closed},
        {"plain stretch counts from its last colon; text after the last quote is ignored",
         u"\"C:\\p\\a.jpg\"  D:\\b\\x.jpg D:\\b\\y.jpg  \"E:\\c\\d.jpg\" C:\\p\\README",
         {u"C:\\p\\050131010102.jpg", u"D:\\b\\x.jpg", u"D:\\b\\050131010102.jpg", u"E:\\c\\050131010102.jpg",
          u"C:\\p\\README"},
         End::Closed},
        {"no quotes at all", u"C:\\p\\a.jpg", {u"C:\\p\\a.jpg"}, End::Closed},
        {"only short pieces", u"\"\" \"abc\" ", {}, End::Closed},
        {"first path without colon shows the window", u"\"\\\\server\\share\\n.jpg\" \"C:\\p\\a.jpg\"",
         {u"C:\\p\\a.jpg"}, End::Shown},
        {"four spaces reuse the renamed path, which is gone", u"\"C:\\p\\a.jpg\"    \"E:\\c\\d.jpg\"",
         {u"C:\\p\\050131010102.jpg", u"E:\\c\\d.jpg"}, End::FailedThenClosed},
        {"colon as first character", u"\"C:\\p\\a.jpg\" \":\\b\\x.jpg\"", {u"C:\\p\\050131010102.jpg"},
         End::FailedThenClosed},
        {"missing file", u"\"C:\\nowhere\\a.jpg\"", {}, End::FailedThenClosed},
        {"path without a folder", u"\"C:a.jpg\"", {}, End::FailedThenClosed},
        {"a quoted name ending in a space is refused, never trimmed into another file's",
         u"\"C:\\p\\a.jpg \"", {u"C:\\p\\a.jpg", u"C:\\p\\a.jpg "}, End::FailedThenClosed},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartBench fresh;
        fresh.Start(c.arguments);
        EXPECT_EQ(fresh.HowItEnded(), c.end);
        for (const std::u16string& path : c.existAfter)
            EXPECT_EQ(fresh.fs.ContentOf(path), "content");
        EXPECT_EQ(fresh.fs.entries.size(), untouched.fs.entries.size()) << "nothing lost, nothing added";
        if (c.end == End::Shown) {
            EXPECT_EQ(fresh.window.fields.sourcePath, u"Text1") << "record untouched";
        }
    }
}

TEST(FormLoad, SecondInstanceEndsAtOnceAndEmptyCommandLineShowsTheWindow)
{
    StartBench b;
    b.process.anotherInstance = true;
    b.Start(u"\"C:\\p\\a.jpg\"");
    EXPECT_EQ(b.process.endCount, 1);
    EXPECT_EQ(b.window.showCount + b.window.closeCount, 0);
    EXPECT_TRUE(b.messages.shown.empty());

    b.process.anotherInstance = false;
    b.Start(u"");
    EXPECT_EQ(b.HowItEnded(), End::Shown);
    EXPECT_TRUE(b.fs.renames.empty());
}

TEST(FormLoad, RefusedRenameMidBatchKeepsEveryFileAndTheFieldsOfTheFailure)
{
    StartBench b;
    b.fs.AddFile(u"E:\\c\\050131010103.jpg", "existing");
    b.Start(u"\"C:\\p\\a.jpg\" \"E:\\c\\d.jpg\" \"D:\\b\\x.jpg\"");
    EXPECT_EQ(b.HowItEnded(), End::FailedThenClosed);
    EXPECT_TRUE(b.fs.Exists(u"C:\\p\\050131010102.jpg"));
    EXPECT_TRUE(b.fs.Exists(u"E:\\c\\d.jpg"));
    EXPECT_TRUE(b.fs.Exists(u"D:\\b\\x.jpg"));
    EXPECT_EQ(b.fs.ContentOf(u"E:\\c\\050131010103.jpg"), "existing");
    EXPECT_EQ(b.window.fields.sourcePath, u"E:\\c\\d.jpg");
    EXPECT_EQ(b.window.fields.newName, u"050131010103.jpg");
    EXPECT_EQ(b.window.fields.folder, u"E:\\c");
    EXPECT_EQ(b.window.boxes, b.window.fields) << "Text1 to Text10 show the failing file";
}

TEST(FormLoad, PieceIndexAndColonPositionStopAt32767)
{
    StartBench b;
    // 32767 quotes make 32768 pieces, indexes 0 to 32766: all fit.
    b.Start(u"\"C:\\p\\a.jpg" + std::u16string(32766, u'"'));
    EXPECT_EQ(b.HowItEnded(), End::Closed);
    // One more piece needs index 32767 and a step past it: the file is renamed, then the loop fails.
    b.Start(u"\"D:\\b\\x.jpg" + std::u16string(32767, u'"'));
    EXPECT_EQ(b.HowItEnded(), End::FailedThenClosed);
    EXPECT_TRUE(b.fs.Exists(u"D:\\b\\050131010102.jpg"));

    const std::u16string longest = u"C:\\p\\" + std::u16string(32766 - 5, u'a');
    b.fs.AddFile(longest);
    b.Start(u"\"" + longest + u"\"");
    EXPECT_EQ(b.HowItEnded(), End::Closed);
    b.fs.AddFile(longest + u"b");
    b.Start(u"\"" + longest + u"b\"");
    EXPECT_EQ(b.HowItEnded(), End::FailedThenClosed);
    EXPECT_TRUE(b.fs.Exists(longest + u"b"));
}

} // namespace
