// Drops of many files on the real window's Picture1.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "tests/windows/drop_session.h"

namespace {

std::vector<std::wstring> MakeFiles(const std::wstring& folder, int count)
{
    std::vector<std::wstring> paths;
    for (int i = 1; i <= count; ++i) {
        paths.push_back(folder + L"\\file " + std::to_wstring(i) + L".dat");
        WriteTextFile(paths.back(), std::to_string(i));
    }
    return paths;
}

TEST(LargeDrop, ThousandFilesUnderTheShortCounterStopAt999)
{
    TempFolder folder;
    DropSession session(2, MakeFiles(folder.Path(), 1000));
    const HWND box = WaitForMessageBox(session.child, 120000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), L"処理可能なファイルは999個までです。");
    EXPECT_FALSE(MessageHasIcon(box));
    ClickOk(box);
    session.FinishDrop();
    EXPECT_EQ(WaitForExit(session.child, 1000), STILL_ACTIVE) << "the window stays open after the limit";

    const SYSTEMTIME today = LocalNow(); // a drop across midnight is not worth a test run
    wchar_t date[8]{};
    swprintf(date, 8, L"%02d%02d%02d", today.wYear % 100, today.wMonth, today.wDay);
    std::set<std::wstring> expected{L"file 1000.dat"};
    for (int position = 1; position <= 999; ++position) {
        wchar_t counter[8]{};
        swprintf(counter, 8, L"-%03d", position);
        expected.insert(date + std::wstring(counter) + L".dat");
    }
    EXPECT_EQ(ListFolder(folder.Path()), expected);
    EXPECT_EQ(ReadTextFile(folder / (date + std::wstring(L"-999.dat"))), "999");
}

TEST(LargeDrop, TenThousandFilesUnderCompactAllGetTheirOwnName)
{
    TempFolder folder;
    const SYSTEMTIME before = LocalNow();
    DropSession session(0, MakeFiles(folder.Path(), 10000));
    const double dropSeconds = session.FinishDrop();
    EXPECT_EQ(WaitForExit(session.child, 10000), 0u) << "the window closes after the last file";
    const SYSTEMTIME after = LocalNow();

    // Each file is a stamp of the drop with its position added, or without it
    // when the clock moved on between its stamp and its check.
    const std::set<std::wstring> names = ListFolder(folder.Path());
    EXPECT_EQ(names.size(), 10000u);
    const std::set<std::wstring> last = CompactNames(before, after, 10000, L"dat");
    std::wstring lastName;
    for (const std::wstring& name : names) {
        ASSERT_EQ(name.find(L"file"), std::wstring::npos) << "a file kept its old name";
        if (last.count(name))
            lastName = name;
    }
    EXPECT_EQ(ReadTextFile(folder / lastName), "10000") << "the last file has its stamp + 10000";

    // The same renames in a bare loop, over the same files in the same folder.
    std::vector<std::wstring> renamed(names.begin(), names.end());
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < renamed.size(); ++i)
        MoveFileExW((folder / renamed[i]).c_str(), (folder / (L"bare " + std::to_wstring(i) + L".dat")).c_str(), 0);
    const double bareSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(ListFolder(folder.Path()).count(L"bare 9999.dat"), 1u);
    RecordProperty("drop_seconds", std::to_string(dropSeconds));
    RecordProperty("bare_rename_loop_seconds", std::to_string(bareSeconds));
    printf("10,000-file drop: %.1f s; bare rename loop over the same folder: %.1f s\n", dropSeconds, bareSeconds);
}

} // namespace
