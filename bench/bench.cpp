// Nomichron.exe against baselines under the same conditions: each figure is
// the median of interleaved runs, given as a ratio to its baseline measured
// in the same run. Prints rows of a Markdown table.
//   bench start ROUNDS   Explorer-mode start-up, the window, 500 files on the command line
//   bench drop ROUNDS    a 10,000-file drop (run it with the clock frozen at 2005-01-31 01:01:01)
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/driver.h"
#include "bench/file_drop.h"

namespace {

double Now()
{
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Fail(const char* what)
{
    std::fprintf(stderr, "bench: %s (error %lu)\n", what, GetLastError());
    ExitProcess(2);
}

void ExpectSuccess(const Program& program)
{
    if (WaitForExit(program, 600000) != 0)
        Fail("a program did not end, or ended with a failure");
}

double SecondsToExit(const std::wstring& exe, const std::wstring& arguments)
{
    const double start = Now();
    ExpectSuccess(StartProgram(exe, arguments));
    return Now() - start;
}

double SecondsToWindow(const std::wstring& exe)
{
    const double start = Now();
    const Program program = StartProgram(exe, L"");
    const HWND window = WaitForWindow(program, nullptr, true, 60000);
    const double seconds = Now() - start;
    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectSuccess(program);
    return seconds;
}

// A fresh folder under the temporary folder with empty files 1.dat to count.dat.
std::vector<std::wstring> MakeFiles(const std::wstring& name, int count)
{
    std::wstring folder(MAX_PATH + 1, L'\0');
    folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    folder += L"nomichron-bench-" + name;
    RemoveTree(folder); // left by an interrupted run
    std::vector<std::wstring> paths;
    for (int i = 1; i <= count; ++i)
        WriteFile(paths.emplace_back(folder + L"\\" + std::to_wstring(i) + L".dat"), "");
    return paths;
}

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring Quoted(const std::vector<std::wstring>& paths)
{
    std::wstring line;
    for (const std::wstring& path : paths)
        line += L"\"" + path + L"\" ";
    return line;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs the figure and its baseline one after the other, `rounds` times, and
// prints their medians and ratio.
void Compare(int rounds, const char* figure, const char* baseline, const std::function<double(int)>& measure,
             const std::function<double(int)>& measureBaseline)
{
    std::vector<double> times, baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        // Each run starts once the one before has been wound up.
        Sleep(200);
        times.push_back(measure(round));
        Sleep(200);
        baselineTimes.push_back(measureBaseline(round));
    }
    const double median = Median(times), baselineMedian = Median(baselineTimes);
    std::printf("| %s | %.1f ms | %s: %.1f ms | %.2fx |\n", figure, 1000 * median, baseline, 1000 * baselineMedian,
                median / baselineMedian);
    std::fflush(stdout);
}

void CompareStarts(int rounds)
{
    const std::wstring nomichron = Beside(L"Nomichron.exe");
    Compare(
        rounds, "Explorer-mode start-up, one file, start to exit", "an empty Win32 program",
        [&](int round) {
            const std::vector<std::wstring> file = MakeFiles(L"one-" + std::to_wstring(round), 1);
            const double seconds = SecondsToExit(nomichron, Quoted(file));
            RemoveTree(FolderOf(file[0]));
            return seconds;
        },
        [&](int) { return SecondsToExit(Beside(L"empty_program.exe"), L""); });
    Compare(
        rounds, "Start without arguments to visible window", "one empty window (common controls 6, OLE)",
        [&](int) { return SecondsToWindow(nomichron); },
        [&](int) { return SecondsToWindow(Beside(L"empty_window.exe")); });
    // Each batch in a folder of its own, of the same size.
    const auto batch = [](const std::wstring& exe, const wchar_t* name) {
        const std::vector<std::wstring> files = MakeFiles(name, 500);
        const double seconds = SecondsToExit(exe, Quoted(files));
        RemoveTree(FolderOf(files[0]));
        return seconds;
    };
    Compare(
        rounds, "500 files on the command line, start-up included", "a bare MoveFileExW loop",
        [&](int) { return batch(nomichron, L"batch"); },
        [&](int) { return batch(Beside(L"bare_rename.exe"), L"bare"); });
}

// Asks the window every 10 ms whether it answers, as Windows does before it
// calls a window "not responding", until told to stop; the longest wait for
// an answer is kept.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window)
        : thread([this, window] {
              while (!stop) {
                  const double asked = Now();
                  DWORD_PTR ignored = 0;
                  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored))
                      return;
                  longest = std::max(longest.load(), Now() - asked);
                  Sleep(10);
              }
          })
    {}
    ~AnswerWatch() { Stop(); }
    double Stop()
    {
        stop = true;
        if (thread.joinable())
            thread.join();
        return longest;
    }

private:
    std::atomic<bool> stop{false};
    std::atomic<double> longest{0};
    std::thread thread;
};

// The drop's names with the clock standing at 01:01:01: second 01 + position.
std::wstring Stamped(const std::wstring& folder, int position)
{
    wchar_t name[32]{};
    std::swprintf(name, 32, L"\\0501310101%02d.dat", 1 + position);
    return folder + name;
}

void CompareDrops(int rounds)
{
    constexpr int kFiles = 10000;
    const std::vector<std::wstring> files = MakeFiles(L"drop", kFiles);
    const std::wstring folder = FolderOf(files[0]);
    if (FAILED(OleInitialize(nullptr)))
        Fail("no OLE");
    // Nomichron renames the files to their stamps; the bare loop renames them back.
    std::vector<double> held, unanswered;
    Compare(
        rounds, "10,000-file drop, drop to end", "a bare MoveFileExW loop over them",
        [&](int) {
            const Program program = StartProgram(Beside(L"Nomichron.exe"), L"");
            const HWND window = WaitForWindow(program, nullptr, true, 60000);
            WaitForInputIdle(program.process.get(), 10000);
            RECT picture{};
            GetWindowRect(GetDlgItem(window, 200), &picture);
            SetCursorPos((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
            AnswerWatch watch(window);
            const double start = Now();
            if (DropFiles(files) != DRAGDROP_S_DROP)
                Fail("the drop was refused");
            held.push_back(Now() - start);
            ExpectSuccess(program);
            const double seconds = Now() - start;
            unanswered.push_back(watch.Stop());
            return seconds;
        },
        [&](int) {
            const double start = Now();
            for (int i = 1; i <= kFiles; ++i) {
                if (!MoveFileExW(Stamped(folder, i).c_str(), files[i - 1].c_str(), 0))
                    Fail("the drop did not give the names of a frozen clock");
            }
            return Now() - start;
        });
    // What the user of the program the files came from meets, against the
    // least a target can do: read the list and return.
    std::vector<double> heldByBaseline;
    for (int round = 0; round < rounds; ++round) {
        const Program program = StartProgram(Beside(L"empty_window.exe"), L"");
        const HWND window = WaitForWindow(program, nullptr, true, 60000);
        RECT frame{};
        GetWindowRect(window, &frame);
        SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
        const double start = Now();
        if (DropFiles(files) != DRAGDROP_S_DROP)
            Fail("the baseline refused the drop");
        heldByBaseline.push_back(Now() - start);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ExpectSuccess(program);
    }
    std::printf(
        "| 10,000-file drop, the source's DoDragDrop held | %.1f ms | a target that reads the list and returns: "
        "%.1f ms | %.2fx |\n",
        1000 * Median(held), 1000 * Median(heldByBaseline), Median(held) / Median(heldByBaseline));
    std::printf("| 10,000-file drop, the window unanswered, longest | %.1f ms | goal: under 250 ms | |\n",
                1000 * Median(unanswered));
    OleUninitialize();
    RemoveTree(folder);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 20;
    // A hidden window of its own keeps Wine's desktop process up for the whole run, so that no
    // start pays for bringing it up again.
    CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (argc > 1 && std::wstring(argv[1]) == L"start")
        CompareStarts(rounds);
    else if (argc > 1 && std::wstring(argv[1]) == L"drop")
        CompareDrops(rounds);
    else
        Fail("usage: bench start|drop [rounds]");
    return 0;
}
