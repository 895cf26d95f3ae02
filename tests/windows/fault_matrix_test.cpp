// Faults met in the middle of a batch, against the real Nomichron.exe: in
// every row no file is lost, replaced, moved out of its folder or changed in
// content. Files renamed before the fault keep their new names, the others
// their old ones.
#include <gtest/gtest.h>

#include <functional>

#include "tests/windows/drop_session.h"
#include "tests/windows/harness.h"

namespace {

const wchar_t kStartFailure[] = L"処理が間に合いません\r\n再実行してください";
const wchar_t kTimingFailure[] = L"処理が間に合いません。再実行してください。";

// Files 1.dat to <count>.dat in folders of a hundred (renames and creations
// under Wine slow down as a folder grows), each holding its number, and a
// stamp taken at 01:01:01 on 31 January 2005, the clock standing still.
struct Batch {
    explicit Batch(int count) : count(count)
    {
        for (int i = 1; i <= count; ++i) {
            if (i % 100 == 1)
                CreateDirectoryW((root / Folder(i)).c_str(), nullptr);
            WriteTextFile(Path(i), std::to_string(i));
        }
    }
    static std::wstring Folder(int i) { return std::to_wstring((i - 1) / 100); }
    static std::wstring Name(int i) { return Folder(i) + L"\\" + std::to_wstring(i) + L".dat"; }
    std::wstring Path(int i) const { return root / Name(i); }
    // The compact name of the file at this position of its batch: second 01 + position.
    static std::wstring Stamped(int position)
    {
        wchar_t name[32]{};
        swprintf(name, 32, L"0501310101%02d.dat", 1 + position);
        return Folder(position) + L"\\" + name;
    }
    std::wstring Arguments(int last) const
    {
        std::wstring arguments;
        for (int i = 1; i <= last; ++i)
            arguments += (i > 1 ? L" \"" : L"\"") + Path(i) + L"\"";
        return arguments;
    }
    std::vector<std::wstring> Paths() const
    {
        std::vector<std::wstring> paths;
        for (int i = 1; i <= count; ++i)
            paths.push_back(Path(i));
        return paths;
    }
    // Waits until the file at this position has its new name.
    bool WaitForRename(int position) const
    {
        for (int waited = 0; waited < 120000; waited += 20) {
            if (PathExists(root / Stamped(position)))
                return true;
            Sleep(20);
        }
        return false;
    }

    const FrozenClock clock{"2005-01-31 01:01:01"};
    TempFolder root;
    int count;
};

void AnswerMessage(const ChildProcess& child, const wchar_t* text)
{
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(MessageText(box), text);
    ClickOk(box);
}

// The first file a command line names, given to a second start.
DWORD RenameFirst(const Batch& batch, int last, const wchar_t* message)
{
    const ChildProcess child = StartNomichron(batch.Arguments(last));
    if (message != nullptr)
        AnswerMessage(child, message);
    return WaitForExit(child, 30000);
}

// Makes the folder refuse (or take again) every change, with chattr. Wine
// starts Unix programs too, but does not wait for them and now and then
// loses one: the effect is watched for, and chattr tried again.
bool SetImmutable(const std::wstring& folder, bool immutable)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = convert(folder.c_str());
    const std::wstring command = L"/usr/bin/chattr " + std::wstring(immutable ? L"+i \"" : L"-i \"") +
                                 std::wstring(unix, unix + strlen(unix)) + L"\"";
    HeapFree(GetProcessHeap(), 0, unix);
    const std::wstring probe = folder + L"\\probe";
    for (int attempt = 0; attempt < 5; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        std::wstring line = command;
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
        for (int waited = 0; waited < 2000; waited += 20) {
            // A probe made just before the change took may stay until it is undone.
            const bool made = CreateDirectoryW(probe.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
            if ((made && RemoveDirectoryW(probe.c_str())) != immutable)
                return true;
            Sleep(20);
        }
    }
    return false;
}

struct FaultRow {
    const char* fault;
    int files;
    int taken;                        // the position whose new name exists already, or 0
    std::function<int(Batch&)> run;   // returns how many files got their new names; -1: find out
};

const FaultRow kRows[] = {
    {"the 3rd file of a command line meets a taken name", 5, 3,
     [](Batch& b) {
         EXPECT_EQ(RenameFirst(b, 5, kStartFailure), 0u);
         return 2;
     }},
    {"the 3rd file of a drop meets a taken name", 5, 3,
     [](Batch& b) {
         DropSession session(0, b.Paths());
         AnswerMessage(session.child, kTimingFailure);
         session.FinishDrop();
         return 2;
     }},
    {"a file held open without FILE_SHARE_DELETE", 3, 0,
     [](Batch& b) {
         const ScopedHandle held(CreateFileW(b.Path(2).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
         EXPECT_NE(held.get(), INVALID_HANDLE_VALUE);
         EXPECT_EQ(RenameFirst(b, 3, kStartFailure), 0u);
         return 1;
     }},
    {"a folder that refuses every change", 2, 0,
     [](Batch& b) {
         EXPECT_TRUE(SetImmutable(b.root / L"0", true));
         EXPECT_EQ(RenameFirst(b, 2, kStartFailure), 0u);
         EXPECT_TRUE(SetImmutable(b.root / L"0", false));
         return 0;
     }},
    {"a second start during a 2,000-file drop ends at once; the drop completes", 2000, 0,
     [](Batch& b) {
         DropSession session(0, b.Paths());
         EXPECT_TRUE(b.WaitForRename(1));
         // It names the drop's last file: renamed by it, the drop would fail there.
         const ChildProcess second = StartNomichron(L"\"" + b.Path(2000) + L"\"");
         EXPECT_EQ(WaitForExit(second, 10000), 0u);
         EXPECT_EQ(WaitForExit(session.child, 0), STILL_ACTIVE) << "the drop ended first: nothing was raced";
         session.FinishDrop();
         EXPECT_EQ(WaitForExit(session.child, 30000), 0u);
         return 2000;
     }},
    {"TerminateProcess in the middle of a 10,000-file drop", 10000, 0,
     [](Batch& b) {
         DropSession session(0, b.Paths());
         EXPECT_TRUE(b.WaitForRename(2000));
         TerminateProcess(session.child.process.get(), 9);
         WaitForExit(session.child, 10000);
         return -1;
     }},
};

TEST(FaultMatrix, NoFileIsLostReplacedMovedOrChanged)
{
    for (const FaultRow& row : kRows) {
        SCOPED_TRACE(row.fault);
        Batch batch(row.files);
        if (row.taken > 0)
            WriteTextFile(batch.root / Batch::Stamped(row.taken), "taken");
        const std::map<std::wstring, std::string> before = Tree(batch.root.Path());
        int renamed = row.run(batch);
        const std::map<std::wstring, std::string> after = Tree(batch.root.Path());
        if (renamed < 0) { // the files renamed before the kill: a run from the first on
            renamed = 0;
            while (after.count(Batch::Stamped(renamed + 1)) > 0)
                ++renamed;
            EXPECT_GT(renamed, 0);
            EXPECT_LT(renamed, row.files) << "the drop ended before the kill";
        }
        std::map<std::wstring, std::string> expected = before;
        for (int i = 1; i <= renamed; ++i) {
            expected[Batch::Stamped(i)] = expected.at(Batch::Name(i));
            expected.erase(Batch::Name(i));
        }
        EXPECT_EQ(after.size(), expected.size());
        EXPECT_TRUE(after == expected) << "files lost, replaced, moved or changed";
    }
}

} // namespace
