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

// The file's own name starts after the last "\\" or "/": the target always
// lies in the folder the path names, and the extension is the name's own.
TEST(SplitPath, ExtensionAndFolderComeFromTheFileNameOnly)
{
    const std::u16string name254(254, u'n');
    struct Case {
        std::u16string path, extension, folder;
    } const cases[] = {
        {u"C:\\photos\\test.jpg", u"jpg", u"C:\\photos"},
        {u"C:\\photos\\archive.tar.gz", u"gz", u"C:\\photos"},
        {u"C:\\test.JPG", u"JPG", u"C:"},
        {u"\\\\server\\share\\.profile", u"profile", u"\\\\server\\share"},
        {u"C:\\x\\写真.\U0001F4F7", u"\U0001F4F7", u"C:\\x"},
        {u"C:\\my.docs\\README", u"", u"C:\\my.docs"}, // never a folder's dot
        {u"C:\\x\\my.dir/README", u"", u"C:\\x\\my.dir"},
        {u"C:\\x\\sub/a.jpg", u"jpg", u"C:\\x\\sub"},
        {u"C:\\x\\../y/a.jpg", u"jpg", u"C:\\x\\../y"},
        {u"C:/a.b/c", u"", u"C:/a.b"},
        {u"C:\\x\\." + name254, name254, u"C:\\x"}, // the dot 255 code units from the end is found,
        {u"C:\\x\\." + name254 + u"n", u"", u"C:\\x"}, // one further is not
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitExtension(c.path), c.extension);
        EXPECT_EQ(SplitFolder(c.path), c.folder);
    }
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

// Win32 drops trailing dots and spaces from a path's last name: "dot.jpg."
// would rename dot.jpg beside it. Such a name is refused, and never made.
TEST(FinishRename, RefusesANameThatWin32WouldTrim)
{
    for (const char16_t* path : {u"C:\\x\\dot.jpg.", u"C:\\x\\sp.jpg ", u"C:\\x\\..", u"C:\\x\\sub\\"}) {
        FakeFileSystem fs;
        fs.AddFile(u"C:\\x\\dot.jpg");
        fs.AddFile(u"C:\\x\\sp.jpg");
        fs.AddFile(path);
        const auto before = fs.entries;
        RenameFields fields = ToRename(path, u"050131010102");
        EXPECT_EQ(CauseOf([&] { FinishRename(fields, fs); }), FailureCause::NameTrimmedByWin32);
        EXPECT_EQ(fs.entries, before);
    }
}

} // namespace
