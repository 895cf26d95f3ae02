#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/finish_rename.h"
#include "tests/native/fakes.h"

namespace {

FailureCause CauseOf(auto&& operation)
{
    try {
        operation();
    } catch (const Failure& failure) {
        return failure.cause;
    }
    ADD_FAILURE() << "no failure";
    return FailureCause::PlatformCall;
}

TEST(SplitExtension, TakesTheTextAfterTheLastDotOfTheFileNameOnly)
{
    EXPECT_EQ(SplitExtension(u"C:\\photos\\test.jpg"), u"jpg");
    EXPECT_EQ(SplitExtension(u"C:\\photos\\archive.tar.gz"), u"gz");
    EXPECT_EQ(SplitExtension(u"C:\\photos\\PHOTO.JPG"), u"JPG");
    EXPECT_EQ(SplitExtension(u"C:\\home\\.profile"), u"profile");
    EXPECT_EQ(SplitExtension(u"C:\\x\\写真.\U0001F4F7"), u"\U0001F4F7");
    EXPECT_EQ(SplitExtension(u"C:test.jpg"), u"jpg");
}

TEST(SplitExtension, NameWithoutExtensionGivesNone)
{
    EXPECT_EQ(SplitExtension(u"C:\\photos\\README"), u"");
    EXPECT_EQ(SplitExtension(u"C:\\my.docs\\README"), u"");
    EXPECT_EQ(SplitExtension(u"C:\\photos\\name."), u"");
    EXPECT_EQ(SplitExtension(u""), u"");
}

TEST(SplitExtension, LooksNoFurtherThan255CodeUnitsFromTheEnd)
{
    const std::u16string name254(254, u'n');
    EXPECT_EQ(SplitExtension(u"C:\\x\\." + name254), name254);
    EXPECT_EQ(SplitExtension(u"C:\\x\\." + name254 + u"n"), u"");
}

TEST(SplitFolder, KeepsEverythingBeforeTheLastBackslash)
{
    EXPECT_EQ(SplitFolder(u"C:\\photos\\test.jpg"), u"C:\\photos");
    EXPECT_EQ(SplitFolder(u"C:\\test.jpg"), u"C:");
    EXPECT_EQ(SplitFolder(u"\\\\server\\share\\a.jpg"), u"\\\\server\\share");
    EXPECT_EQ(SplitFolder(u"C:\\a.b\\c.d\\e"), u"C:\\a.b\\c.d");
}

TEST(SplitFolder, FailsWithoutBackslashOrPast16BitLength)
{
    EXPECT_EQ(CauseOf([] { SplitFolder(u"C:test.jpg"); }), FailureCause::NoFolderInPath);
    const std::u16string longest = u"C:\\" + std::u16string(32767 - 3, u'a');
    EXPECT_EQ(SplitFolder(longest), u"C:");
    EXPECT_EQ(CauseOf([&] { SplitFolder(longest + u"a"); }), FailureCause::NumberOverflow);
}

class FinishRenameTest : public ::testing::Test {
protected:
    RenameFields Fields(const std::u16string& path)
    {
        RenameFields fields;
        fields.sourcePath = path;
        fields.stem = u"050131010102";
        return fields;
    }
    FakeFileSystem fs;
};

TEST_F(FinishRenameTest, RenamesWithinTheFolderKeepingTheExtension)
{
    fs.AddFile(u"C:\\photos\\test.jpg", "picture");
    RenameFields fields = Fields(u"C:\\photos\\test.jpg");
    FinishRename(fields, fs);
    EXPECT_EQ(fields.newName, u"050131010102.jpg");
    EXPECT_EQ(fields.folder, u"C:\\photos");
    EXPECT_FALSE(fs.Exists(u"C:\\photos\\test.jpg"));
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010102.jpg"), "picture");
}

TEST_F(FinishRenameTest, NameWithoutExtensionGetsTheBareStem)
{
    fs.AddFile(u"C:\\my.docs\\README");
    fs.AddFile(u"C:\\my.docs\\notes.");
    RenameFields readme = Fields(u"C:\\my.docs\\README");
    FinishRename(readme, fs);
    EXPECT_EQ(readme.newName, u"050131010102");
    EXPECT_TRUE(fs.Exists(u"C:\\my.docs\\050131010102"));

    RenameFields notes = Fields(u"C:\\my.docs\\notes.");
    notes.stem = u"050131010103";
    FinishRename(notes, fs);
    EXPECT_TRUE(fs.Exists(u"C:\\my.docs\\050131010103"));
}

TEST_F(FinishRenameTest, ExistingTargetIsNeverReplacedEvenInAnotherCase)
{
    fs.AddFile(u"C:\\photos\\test.jpg", "new");
    fs.AddFile(u"C:\\photos\\050131010102.JPG", "old");
    RenameFields fields = Fields(u"C:\\photos\\test.jpg");
    try {
        FinishRename(fields, fs);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.cause, FailureCause::RenameRefused);
        EXPECT_EQ(failure.systemError, 183u);
    }
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\test.jpg"), "new");
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010102.JPG"), "old");
    EXPECT_EQ(fields.newName, u"050131010102.jpg");
    EXPECT_EQ(fields.folder, u"C:\\photos");
}

TEST_F(FinishRenameTest, PathWithoutFolderFailsAfterNewNameIsWritten)
{
    fs.AddFile(u"C:test.jpg");
    RenameFields fields = Fields(u"C:test.jpg");
    EXPECT_EQ(CauseOf([&] { FinishRename(fields, fs); }), FailureCause::NoFolderInPath);
    EXPECT_EQ(fields.newName, u"050131010102.jpg");
    EXPECT_EQ(fields.folder, u"");
    EXPECT_TRUE(fs.renames.empty());
}

TEST_F(FinishRenameTest, FolderIsRenamedWithItsContent)
{
    fs.AddFile(u"\\\\server\\share\\album\\a.jpg", "inside");
    RenameFields fields = Fields(u"\\\\server\\share\\album");
    FinishRename(fields, fs);
    EXPECT_EQ(fs.ContentOf(u"\\\\server\\share\\050131010102\\a.jpg"), "inside");
}

} // namespace
