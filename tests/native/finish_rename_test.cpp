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

RenameFields ToRename(const std::u16string& sourcePath, const std::u16string& stem)
{
    RenameFields fields;
    fields.sourcePath = sourcePath;
    fields.stem = stem;
    return fields;
}

TEST(SplitPath, ExtensionComesFromTheFileNameOnly)
{
    const std::u16string name254(254, u'n');
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\photos\\test.jpg", u"jpg"},
        {u"C:\\photos\\archive.tar.gz", u"gz"},
        {u"C:\\photos\\PHOTO.JPG", u"JPG"},
        {u"C:\\home\\.profile", u"profile"},
        {u"C:\\x\\写真.\U0001F4F7", u"\U0001F4F7"},
        {u"C:\\photos\\README", u""},
        {u"C:\\my.docs\\README", u""}, // never a folder's dot
        {u"C:\\photos\\name.", u""},
        {u"C:\\x\\." + name254, name254}, // the dot 255 code units from the end is found,
        {u"C:\\x\\." + name254 + u"n", u""}, // one further is not
    };
    for (const auto& [path, extension] : cases)
        EXPECT_EQ(SplitExtension(path), extension);
}

TEST(SplitPath, FolderIsEverythingBeforeTheLastBackslash)
{
    EXPECT_EQ(SplitFolder(u"C:\\photos\\test.jpg"), u"C:\\photos");
    EXPECT_EQ(SplitFolder(u"C:\\test.jpg"), u"C:");
    EXPECT_EQ(SplitFolder(u"\\\\server\\share\\a.jpg"), u"\\\\server\\share");
    EXPECT_EQ(CauseOf([] { SplitFolder(u"C:test.jpg"); }), FailureCause::NoFolderInPath);
    const std::u16string longest = u"C:\\" + std::u16string(32767 - 3, u'a');
    EXPECT_EQ(SplitFolder(longest), u"C:");
    EXPECT_EQ(CauseOf([&] { SplitFolder(longest + u"a"); }), FailureCause::NumberOverflow);
}

TEST(FinishRename, RenamesInPlaceKeepingTheExtensionOrNone)
{
    FakeFileSystem fs;
    fs.AddFile(u"C:\\photos\\test.jpg", "picture");
    fs.AddFile(u"C:\\my.docs\\README", "text");
    RenameFields fields = ToRename(u"C:\\photos\\test.jpg", u"050131010102");
    FinishRename(fields, fs);
    EXPECT_EQ(fields.newName, u"050131010102.jpg");
    EXPECT_EQ(fields.folder, u"C:\\photos");
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010102.jpg"), "picture");

    RenameFields readme = ToRename(u"C:\\my.docs\\README", u"050131010103");
    FinishRename(readme, fs);
    EXPECT_EQ(fs.ContentOf(u"C:\\my.docs\\050131010103"), "text");
    EXPECT_EQ(fs.entries.size(), 5u);
}

TEST(FinishRename, NeverReplacesAndKeepsTheFieldsWrittenBeforeAFailure)
{
    FakeFileSystem fs;
    fs.AddFile(u"C:\\photos\\test.jpg", "new");
    fs.AddFile(u"C:\\photos\\050131010102.JPG", "old");
    RenameFields fields = ToRename(u"C:\\photos\\test.jpg", u"050131010102");
    EXPECT_EQ(CauseOf([&] { FinishRename(fields, fs); }), FailureCause::RenameRefused);
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\test.jpg"), "new");
    EXPECT_EQ(fs.ContentOf(u"C:\\photos\\050131010102.JPG"), "old");
    EXPECT_EQ(fields.folder, u"C:\\photos");

    RenameFields noFolder = ToRename(u"C:test.jpg", u"050131010102");
    EXPECT_EQ(CauseOf([&] { FinishRename(noFolder, fs); }), FailureCause::NoFolderInPath);
    EXPECT_EQ(noFolder.newName, u"050131010102.jpg");
    EXPECT_EQ(noFolder.folder, u"");
}

} // namespace
