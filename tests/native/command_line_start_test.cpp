#include <gtest/gtest.h>

#include "app/command_line_start.h"
#include "tests/native/fakes.h"

namespace {

class FormLoadTest : public ::testing::Test {
protected:
    void Start(const std::u16string& arguments)
    {
        process.arguments = arguments;
        Form_Load({process, window, messages, clock, fs});
    }

    void ExpectRenamedAndClosed()
    {
        EXPECT_EQ(window.closeCount, 1);
        EXPECT_EQ(window.showCount, 0);
        EXPECT_TRUE(messages.shown.empty());
    }

    void ExpectFailureMessageAndClosed()
    {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, u"処理が間に合いません\r\n再実行してください");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(window.closeCount, 1);
        EXPECT_EQ(window.showCount, 0);
    }

    FakeProcess process;
    FakeWindow window;
    FakeMessages messages;
    FakeClock clock{Reading(2005, 1, 31, 1, 1, 1)};
    FakeFileSystem fs;
};

TEST_F(FormLoadTest, SecondInstanceEndsAtOnceWithoutTouchingAnything)
{
    fs.AddFile(u"C:\\photos\\test.jpg");
    process.anotherInstance = true;
    Start(u"\"C:\\photos\\test.jpg\"");
    EXPECT_EQ(process.endCount, 1);
    EXPECT_EQ(window.showCount + window.closeCount, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(fs.renames.empty());
}

TEST_F(FormLoadTest, EmptyCommandLineShowsTheWindowAndRenamesNothing)
{
    Start(u"");
    EXPECT_EQ(window.showCount, 1);
    EXPECT_EQ(window.closeCount, 0);
    EXPECT_EQ(process.endCount, 0);
    EXPECT_EQ(window.fields.sourcePath, u"Text1");
}

TEST_F(FormLoadTest, QuotedPathsGetTheCompactStampWithOneSecondMorePerFile)
{
    fs.AddFile(u"C:\\photos\\test.jpg", "one");
    fs.AddFile(u"C:\\photos\\写真 \U0001F4F7.JPG", "two");
    Start(u"\"C:\\photos\\test.jpg\" \"C:\\photos\\写真 \U0001F4F7.JPG\"");
    ExpectRenamedAndClosed();
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010102.jpg"), "one");
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010103.JPG"), "two");
    EXPECT_EQ(fs.renames.size(), 2u);
    EXPECT_EQ(window.fields.sourcePath, u"C:\\photos\\写真 \U0001F4F7.JPG");
    EXPECT_EQ(window.fields.newName, u"050131010103.JPG");
    EXPECT_EQ(window.fields.folder, u"C:\\photos");
}

TEST_F(FormLoadTest, ExtensionIsFoundAnewForEveryFile)
{
    fs.AddFile(u"C:\\p\\a.jpg");
    fs.AddFile(u"C:\\p\\README");
    Start(u"\"C:\\p\\a.jpg\" \"C:\\p\\README\"");
    ExpectRenamedAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010102.jpg"));
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010103"));
}

TEST_F(FormLoadTest, TextOutsideQuotesIsIgnoredOrCutAtItsLastColon)
{
    fs.AddFile(u"C:\\a\\1.jpg");
    fs.AddFile(u"D:\\b\\x.jpg");
    fs.AddFile(u"D:\\b\\y.jpg");
    fs.AddFile(u"E:\\c\\2.jpg");
    fs.AddFile(u"E:\\c\\after.jpg");
    // The plain stretch is one piece: only the path from the character before
    // its last colon counts, trimmed; each processed piece lifts the skip count.
    Start(u"\"C:\\a\\1.jpg\"  D:\\b\\x.jpg D:\\b\\y.jpg  \"E:\\c\\2.jpg\" E:\\c\\after.jpg");
    ExpectRenamedAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\a\\050131010102.jpg"));
    EXPECT_TRUE(fs.Exists(u"D:\\b\\x.jpg"));
    EXPECT_TRUE(fs.Exists(u"D:\\b\\050131010102.jpg"));
    EXPECT_TRUE(fs.Exists(u"E:\\c\\050131010102.jpg"));
    EXPECT_TRUE(fs.Exists(u"E:\\c\\after.jpg"));
}

TEST_F(FormLoadTest, CommandLineWithoutQuotesOrPathsEndsQuietly)
{
    fs.AddFile(u"C:\\photos\\test.jpg");
    for (const std::u16string arguments : {u"C:\\photos\\test.jpg", u"\"\"", u"\"abc\" \"\" "}) {
        window.closeCount = 0;
        Start(arguments);
        ExpectRenamedAndClosed();
    }
    EXPECT_TRUE(fs.renames.empty());
}

TEST_F(FormLoadTest, FirstPathWithoutColonShowsTheWindowInstead)
{
    fs.AddFile(u"\\\\server\\share\\a.jpg");
    Start(u"\"\\\\server\\share\\a.jpg\" \"C:\\later.jpg\"");
    EXPECT_EQ(window.showCount, 1);
    EXPECT_EQ(window.closeCount, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(fs.renames.empty());
    EXPECT_EQ(window.fields.sourcePath, u"Text1");
}

TEST_F(FormLoadTest, FourSpacesBetweenPathsReuseTheFirstPathAndFail)
{
    fs.AddFile(u"C:\\p\\a.jpg");
    fs.AddFile(u"C:\\p\\b.jpg");
    Start(u"\"C:\\p\\a.jpg\"    \"C:\\p\\b.jpg\"");
    ExpectFailureMessageAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010102.jpg"));
    EXPECT_TRUE(fs.Exists(u"C:\\p\\b.jpg"));
    EXPECT_EQ(fs.renames.size(), 1u);
}

TEST_F(FormLoadTest, ColonAsFirstCharacterFailsAfterEarlierFilesAreRenamed)
{
    fs.AddFile(u"C:\\p\\a.jpg");
    Start(u"\"C:\\p\\a.jpg\" \":\\p\\b.jpg\"");
    ExpectFailureMessageAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010102.jpg"));
}

TEST_F(FormLoadTest, RefusedRenameStopsTheBatchAndKeepsEveryFile)
{
    fs.AddFile(u"C:\\p\\a.jpg", "a");
    fs.AddFile(u"C:\\p\\b.jpg", "b");
    fs.AddFile(u"C:\\p\\c.jpg", "c");
    fs.AddFile(u"C:\\p\\050131010103.jpg", "existing");
    Start(u"\"C:\\p\\a.jpg\" \"C:\\p\\b.jpg\" \"C:\\p\\c.jpg\"");
    ExpectFailureMessageAndClosed();
    EXPECT_EQ(fs.ContentOf(u"C:\\p\\050131010102.jpg"), "a");
    EXPECT_EQ(fs.ContentOf(u"C:\\p\\b.jpg"), "b");
    EXPECT_EQ(fs.ContentOf(u"C:\\p\\c.jpg"), "c");
    EXPECT_EQ(fs.ContentOf(u"C:\\p\\050131010103.jpg"), "existing");
    EXPECT_EQ(window.fields.sourcePath, u"C:\\p\\b.jpg");
    EXPECT_EQ(window.fields.newName, u"050131010103.jpg");
}

TEST_F(FormLoadTest, MissingFileOrFolderShowsTheFailure)
{
    Start(u"\"C:\\nowhere\\a.jpg\"");
    ExpectFailureMessageAndClosed();
}

TEST_F(FormLoadTest, PieceIndexStopsAt32767)
{
    fs.AddFile(u"C:\\p\\a.jpg");
    // 32767 quotes make 32768 pieces: indexes 0 to 32766 fit.
    Start(u"\"C:\\p\\a.jpg" + std::u16string(32766, u'"'));
    ExpectRenamedAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010102.jpg"));

    // One more piece needs index 32767 and then a step past it: the file is
    // renamed first, then the loop fails.
    fs.AddFile(u"C:\\q\\b.jpg");
    window.closeCount = 0;
    Start(u"\"C:\\q\\b.jpg" + std::u16string(32767, u'"'));
    ExpectFailureMessageAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\q\\050131010102.jpg"));
}

TEST_F(FormLoadTest, ColonSearchStopsAtPiecesOf32767CodeUnits)
{
    const std::u16string fitting = u"C:\\p\\" + std::u16string(32766 - 5, u'a');
    fs.AddFile(fitting);
    Start(u"\"" + fitting + u"\"");
    ExpectRenamedAndClosed();
    EXPECT_TRUE(fs.Exists(u"C:\\p\\050131010102"));

    const std::u16string tooLong = fitting + u"b";
    fs.AddFile(tooLong);
    window.closeCount = 0;
    Start(u"\"" + tooLong + u"\"");
    ExpectFailureMessageAndClosed();
    EXPECT_TRUE(fs.Exists(tooLong));
}

TEST(QuoteArguments, WrapsEveryArgumentAndJoinsWithSingleSpaces)
{
    EXPECT_EQ(QuoteArguments({}), u"");
    EXPECT_EQ(QuoteArguments({u"C:\\a.jpg"}), u"\"C:\\a.jpg\"");
    EXPECT_EQ(QuoteArguments({u"C:\\a b.jpg", u"D:\\写真.jpg"}), u"\"C:\\a b.jpg\" \"D:\\写真.jpg\"");
    EXPECT_EQ(QuoteArguments({u"", u"x"}), u"\"\" \"x\"");
}

} // namespace
