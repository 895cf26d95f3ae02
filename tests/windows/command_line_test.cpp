#include <gtest/gtest.h>

#include "tests/windows/harness.h"

namespace {

constexpr DWORD kExitTimeout = 15000;

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

// The clock just before a start and just after its end.
struct RunSpan {
    SYSTEMTIME before;
    SYSTEMTIME after;
};

// Starts Nomichron with the arguments and waits for a quiet, successful end.
RunSpan RenameQuietly(const std::wstring& arguments)
{
    RunSpan run{LocalNow(), {}};
    const ChildProcess child = StartNomichron(arguments);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);
    run.after = LocalNow();
    return run;
}

// The failure message, exactly, with its icon, modal to the hidden window
// whose Text1 shows the failing path; the program ends only once it is closed.
void ExpectFailureMessageThenEnd(const ChildProcess& child, const std::wstring& failingPath)
{
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(MessageText(box), L"処理が間に合いません\r\n再実行してください");
    EXPECT_EQ(WindowTitle(box), L"Nomichron");
    EXPECT_TRUE(MessageHasIcon(box));
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_EQ(owner, WaitForWindow(child, L"NomichronForm1", false, 0));
    EXPECT_FALSE(IsWindowVisible(owner)) << "Explorer mode never shows the window";
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the message is modal";
    EXPECT_EQ(ControlText(GetDlgItem(owner, 301)), failingPath);
    EXPECT_EQ(WaitForExit(child, 200), STILL_ACTIVE) << "ended before the message was closed";
    ClickOk(box);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);
}

// Each entry of the folder is a stamp of the run with the offset and content
// that its extension calls for.
void ExpectStamped(const std::wstring& folder, const RunSpan& run,
                   const std::map<std::wstring, std::pair<int, std::string>>& byExtension)
{
    const std::set<std::wstring> names = ListFolder(folder);
    EXPECT_EQ(names.size(), byExtension.size());
    for (const std::wstring& name : names) {
        const std::size_t dot = name.rfind(L'.');
        const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
        ASSERT_TRUE(byExtension.count(extension)) << "unexpected entry";
        const auto& [offset, content] = byExtension.at(extension);
        EXPECT_TRUE(CompactNames(run.before, run.after, offset, extension).count(name)) << "wrong stamp";
        if (!content.empty()) {
            EXPECT_EQ(ReadTextFile(folder + L"\\" + name), content);
        }
    }
}

TEST(CommandLine, EachFileGetsItsStampPlusItsPosition)
{
    TempFolder folder;
    WriteTextFile(folder / L"a.jpg", "first");
    WriteTextFile(folder / L"b.tar.gz", "second");
    const RunSpan run = RenameQuietly(Quoted(folder / L"a.jpg") + L" " + Quoted(folder / L"b.tar.gz"));
    ExpectStamped(folder.Path(), run, {{L"jpg", {1, "first"}}, {L"gz", {2, "second"}}});
}

TEST(CommandLine, SpacesJapaneseAndSurrogatePairsSurviveWhole)
{
    TempFolder base;
    const std::wstring folder = base / L"写真 フォルダ";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    WriteTextFile(folder + L"\\休暇 2005 \U0001F4F7.JPG", "photo");
    WriteTextFile(folder + L"\\カメラ.\U0001F4F7", "camera");
    const RunSpan run =
        RenameQuietly(Quoted(folder + L"\\休暇 2005 \U0001F4F7.JPG") + L" " + Quoted(folder + L"\\カメラ.\U0001F4F7"));
    ExpectStamped(folder, run, {{L"JPG", {1, "photo"}}, {L"\U0001F4F7", {2, "camera"}}});
}

TEST(CommandLine, UnquotedPathsAndFoldersAreRenamedToo)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW((folder / L"album").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder / L"my.docs").c_str(), nullptr));
    WriteTextFile(folder / L"album\\inside.txt", "inside");
    // The shell passes a path without spaces unquoted; it counts all the same.
    const RunSpan run = RenameQuietly(folder / L"album" + L" " + Quoted(folder / L"my.docs"));
    ExpectStamped(folder.Path(), run, {{L"", {1, ""}}, {L"docs", {2, ""}}});
    for (const std::wstring& name : ListFolder(folder.Path())) {
        if (name.find(L'.') == std::wstring::npos) {
            EXPECT_EQ(ReadTextFile(folder / name + L"\\inside.txt"), "inside");
        }
    }
}

TEST(CommandLine, PathsLongerThanMaxPathAreRenamed)
{
    TempFolder folder;
    std::wstring deep = L"\\\\?\\" + folder.Path();
    for (wchar_t letter : {L'a', L'b', L'c'}) {
        deep += L"\\" + std::wstring(100, letter);
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    WriteTextFile(deep + L"\\long.txt", "deep");
    const std::wstring plain = deep.substr(4) + L"/long.txt";
    ASSERT_GT(plain.size(), static_cast<size_t>(MAX_PATH));
    const RunSpan run = RenameQuietly(Quoted(plain));
    ExpectStamped(deep, run, {{L"txt", {1, "deep"}}});
}

TEST(CommandLine, CollisionShowsTheFailureAndReplacesNothing)
{
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW((folder / L"other").c_str(), nullptr));
    WriteTextFile(folder / L"other\\first.txt", "first");
    WriteTextFile(folder / L"a.jpg", "original");
    // Every name the second file could get in the next half minute exists already.
    const SYSTEMTIME now = LocalNow();
    const std::set<std::wstring> decoys = CompactNames(now, AddSeconds(now, 30), 2, L"jpg");
    for (const std::wstring& name : decoys)
        WriteTextFile(folder / name, "decoy");

    const ChildProcess child = StartNomichron(Quoted(folder / L"other\\first.txt") + L" " + Quoted(folder / L"a.jpg"));
    ExpectFailureMessageThenEnd(child, folder / L"a.jpg");
    const SYSTEMTIME after = LocalNow();

    EXPECT_EQ(ReadTextFile(folder / L"a.jpg"), "original");
    for (const std::wstring& name : decoys)
        EXPECT_EQ(ReadTextFile(folder / name), "decoy");
    ExpectStamped(folder / L"other", RunSpan{now, after}, {{L"txt", {1, "first"}}});
}

TEST(CommandLine, MissingFileShowsTheFailure)
{
    TempFolder folder;
    ExpectFailureMessageThenEnd(StartNomichron(Quoted(folder / L"nowhere.jpg")), folder / L"nowhere.jpg");
    EXPECT_TRUE(ListFolder(folder.Path()).empty());
}

TEST(CommandLine, NoArgumentsShowsTheWindowUntilItIsClosed)
{
    const ChildProcess child = StartNomichron(L"");
    const HWND window = WaitForWindow(child, L"NomichronForm1", true, 10000);
    ASSERT_NE(window, nullptr) << "no visible window";
    EXPECT_EQ(WindowTitle(window), L"Nomichron");
    EXPECT_EQ(WaitForExit(child, 500), STILL_ACTIVE);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(child, kExitTimeout), 0u);
}

TEST(CommandLine, AFirstPathWithoutAColonShowsTheWindowAndRenamesNothing)
{
    TempFolder folder;
    WriteTextFile(folder / L"a.jpg", "kept");
    const ChildProcess child = StartNomichron(L"\"\\\\server\\share\\n.jpg\" " + Quoted(folder / L"a.jpg"));
    const HWND window = WaitForWindow(child, L"NomichronForm1", true, 10000);
    ASSERT_NE(window, nullptr) << "no visible window";
    EXPECT_EQ(ControlText(GetDlgItem(window, 301)), L"Text1") << "the record is as the window was made";
    EXPECT_EQ(ListFolder(folder.Path()), std::set<std::wstring>{L"a.jpg"});
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
    EXPECT_EQ(ListFolder(folder.Path()), std::set<std::wstring>{L"a.jpg"});
    EXPECT_EQ(ReadTextFile(folder / L"a.jpg"), "kept");

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, kExitTimeout), 0u);
}

} // namespace
