#include <gtest/gtest.h>

#include "tests/windows/harness.h"

namespace {

const wchar_t kFailureText[] = L"処理が間に合いません\r\n再実行してください";
constexpr DWORD kExitTimeout = 15000;

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

// The one entry of the folder that is not in `before`.
std::wstring NewEntry(const std::wstring& folder, const std::set<std::wstring>& others)
{
    std::wstring found;
    for (const std::wstring& name : ListFolder(folder)) {
        if (!others.count(name)) {
            EXPECT_TRUE(found.empty()) << "more than one new entry";
            found = name;
        }
    }
    return found;
}

TEST(CommandLine, EachFileGetsItsStampPlusItsPosition)
{
    TempFolder folder;
    WriteTextFile(folder / L"a.jpg", "first");
    WriteTextFile(folder / L"b.tar.gz", "second");
    const SYSTEMTIME before = LocalNow();
    const ChildProcess child = StartNomichron(Quoted(folder / L"a.jpg") + L" " + Quoted(folder / L"b.tar.gz"));
    ASSERT_EQ(WaitForExit(child, kExitTimeout), 0u);
    const SYSTEMTIME after = LocalNow();

    const std::set<std::wstring> names = ListFolder(folder.Path());
    ASSERT_EQ(names.size(), 2u);
    std::wstring first, second;
    for (const std::wstring& name : names)
        (name.ends_with(L".jpg") ? first : second) = name;
    EXPECT_TRUE(CompactNames(before, after, 1, L"jpg").count(first)) << first;
    EXPECT_TRUE(CompactNames(before, after, 2, L"gz").count(second)) << second;
    EXPECT_EQ(ReadTextFile(folder / first), "first");
    EXPECT_EQ(ReadTextFile(folder / second), "second");
}

TEST(CommandLine, SpacesJapaneseAndSurrogatePairsSurviveWhole)
{
    TempFolder base;
    const std::wstring folder = base / L"写真 フォルダ";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring photo = folder + L"\\休暇 2005 \U0001F4F7.JPG";
    const std::wstring camera = folder + L"\\カメラ.\U0001F4F7";
    WriteTextFile(photo, "photo");
    WriteTextFile(camera, "camera");
    const SYSTEMTIME before = LocalNow();
    const ChildProcess child = StartNomichron(Quoted(photo) + L" " + Quoted(camera));
    ASSERT_EQ(WaitForExit(child, kExitTimeout), 0u);
    const SYSTEMTIME after = LocalNow();

    const std::set<std::wstring> names = ListFolder(folder);
    ASSERT_EQ(names.size(), 2u);
    for (const std::wstring& name : names) {
        const bool isPhoto = name.ends_with(L".JPG");
        EXPECT_TRUE(CompactNames(before, after, isPhoto ? 1 : 2, isPhoto ? L"JPG" : L"\U0001F4F7").count(name))
            << "unexpected name";
        EXPECT_EQ(ReadTextFile(folder + L"\\" + name), isPhoto ? "photo" : "camera");
    }
}

TEST(CommandLine, UnquotedPathsAndFoldersAreRenamedToo)
{
    TempFolder folder;
    const std::wstring album = folder / L"album";
    const std::wstring dotted = folder / L"my.docs";
    ASSERT_TRUE(CreateDirectoryW(album.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(dotted.c_str(), nullptr));
    WriteTextFile(album + L"\\inside.txt", "inside");
    const SYSTEMTIME before = LocalNow();
    // The shell passes a path without spaces unquoted; it still counts.
    const ChildProcess child = StartNomichron(album + L" " + Quoted(dotted));
    ASSERT_EQ(WaitForExit(child, kExitTimeout), 0u);
    const SYSTEMTIME after = LocalNow();

    const std::set<std::wstring> names = ListFolder(folder.Path());
    ASSERT_EQ(names.size(), 2u);
    for (const std::wstring& name : names) {
        if (name.ends_with(L".docs")) {
            EXPECT_TRUE(CompactNames(before, after, 2, L"docs").count(name));
        } else {
            EXPECT_TRUE(CompactNames(before, after, 1, L"").count(name));
            EXPECT_EQ(ReadTextFile(folder / name + L"\\inside.txt"), "inside");
        }
    }
}

TEST(CommandLine, PathsLongerThanMaxPathAreRenamed)
{
    TempFolder folder;
    std::wstring deep = L"\\\\?\\" + folder.Path();
    for (int level = 0; level < 3; ++level) {
        deep += L"\\" + std::wstring(100, static_cast<wchar_t>(L'a' + level));
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    WriteTextFile(deep + L"\\long.txt", "deep");
    const std::wstring plain = deep.substr(4) + L"\\long.txt";
    ASSERT_GT(plain.size(), static_cast<size_t>(MAX_PATH));

    const SYSTEMTIME before = LocalNow();
    const ChildProcess child = StartNomichron(Quoted(plain));
    ASSERT_EQ(WaitForExit(child, kExitTimeout), 0u);
    const SYSTEMTIME after = LocalNow();
    const std::wstring renamed = NewEntry(deep, {});
    EXPECT_TRUE(CompactNames(before, after, 1, L"txt").count(renamed)) << renamed;
    EXPECT_EQ(ReadTextFile(deep + L"\\" + renamed), "deep");
}

TEST(CommandLine, CollisionShowsTheFailureAndReplacesNothing)
{
    TempFolder folder;
    const std::wstring other = folder / L"other";
    ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
    WriteTextFile(other + L"\\first.txt", "first");
    WriteTextFile(folder / L"a.jpg", "original");
    // Every name the second file could get in the next half minute already exists.
    const SYSTEMTIME now = LocalNow();
    const std::set<std::wstring> decoys = CompactNames(now, AddSeconds(now, 30), 2, L"jpg");
    for (const std::wstring& name : decoys)
        WriteTextFile(folder / name, "decoy");

    const ChildProcess child =
        StartNomichron(Quoted(other + L"\\first.txt") + L" " + Quoted(folder / L"a.jpg"));
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(MessageText(box), kFailureText);
    EXPECT_EQ(WindowTitle(box), L"Nomichron");
    EXPECT_TRUE(MessageHasIcon(box));
    EXPECT_EQ(WaitForExit(child, 300), STILL_ACTIVE) << "ended before the message was closed";
    ClickOk(box);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);

    EXPECT_EQ(ReadTextFile(folder / L"a.jpg"), "original");
    for (const std::wstring& name : decoys)
        EXPECT_EQ(ReadTextFile(folder / name), "decoy");
    EXPECT_FALSE(PathExists(other + L"\\first.txt")) << "the earlier file keeps its new name";
    EXPECT_EQ(ListFolder(other).size(), 1u);
}

TEST(CommandLine, MissingFileShowsTheFailure)
{
    TempFolder folder;
    const ChildProcess child = StartNomichron(Quoted(folder / L"nowhere.jpg"));
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(MessageText(box), kFailureText);
    EXPECT_TRUE(MessageHasIcon(box));
    ClickOk(box);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);
    EXPECT_TRUE(ListFolder(folder.Path()).empty());
}

TEST(CommandLine, NoArgumentsShowsTheWindowUntilItIsClosed)
{
    const ChildProcess child = StartNomichron(L"");
    const HWND window = WaitForWindow(child, L"NomichronForm1", true, 10000);
    ASSERT_NE(window, nullptr) << "no visible window";
    EXPECT_EQ(WindowTitle(window), L"Nomichron");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 331);
    EXPECT_EQ(client.bottom, 391);
    EXPECT_EQ(WaitForExit(child, 500), STILL_ACTIVE);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);
}

TEST(CommandLine, SecondInstanceEndsAtOnceAndTouchesNothing)
{
    TempFolder folder;
    WriteTextFile(folder / L"a.jpg", "kept");
    const ChildProcess first = StartNomichron(L"");
    const HWND window = WaitForWindow(first, L"NomichronForm1", true, 10000);
    ASSERT_NE(window, nullptr);

    const ChildProcess second = StartNomichron(Quoted(folder / L"a.jpg"));
    EXPECT_EQ(WaitForExit(second, 5000), 0u);
    EXPECT_EQ(ReadTextFile(folder / L"a.jpg"), "kept");
    EXPECT_EQ(ListFolder(folder.Path()).size(), 1u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, kExitTimeout), 0u);
}

} // namespace
