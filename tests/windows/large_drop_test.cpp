// Drops of many files on the real window's Picture1, made by DoDragDrop from
// this process with a file list of its own (a DROPFILES block, as the shell
// makes one).
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/windows/harness.h"

namespace {

class FileListData final : public IDataObject {
public:
    explicit FileListData(const std::vector<std::wstring>& paths)
    {
        for (const std::wstring& path : paths)
            list.append(path).push_back(L'\0');
        list.push_back(L'\0');
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GHND, bytes);
        auto* header = static_cast<DROPFILES*>(GlobalLock(block));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
        GlobalUnlock(block);
        *medium = STGMEDIUM{TYMED_HGLOBAL, {}, nullptr};
        medium->hGlobal = block;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        FORMATETC offered{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return direction == DATADIR_GET ? SHCreateStdEnumFmtEtc(1, &offered, formats) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::wstring list;
};

// Releases the drag at once, wherever the cursor stands.
class DropAtOnce final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

std::vector<std::wstring> MakeFiles(const std::wstring& folder, int count)
{
    std::vector<std::wstring> paths;
    for (int i = 1; i <= count; ++i) {
        paths.push_back(folder + L"\\file " + std::to_wstring(i) + L".dat");
        WriteTextFile(paths.back(), std::to_string(i));
    }
    return paths;
}

// Nomichron with its window open and an option selected, then a drop of the
// paths on Picture1. The drag runs on a thread of its own: the drop handler
// runs inside the drop, so a message it shows must be answered from here.
class DropSession {
public:
    DropSession(int option, std::vector<std::wstring> paths) : child(StartNomichron(L""))
    {
        const HWND window = WaitForWindow(child, L"NomichronForm1", true, 10000);
        if (window == nullptr)
            throw std::runtime_error("no window");
        SendMessageW(GetDlgItem(window, 100 + option), BM_CLICK, 0, 0);
        RECT picture{};
        GetWindowRect(GetDlgItem(window, 200), &picture);
        SetCursorPos((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
        start = std::chrono::steady_clock::now();
        drag = std::thread([this, paths = std::move(paths)] {
            OleInitialize(nullptr);
            FileListData data(paths);
            DropAtOnce source;
            DWORD effect = DROPEFFECT_NONE;
            result = DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
            OleUninitialize();
            dropped = true;
        });
    }
    ~DropSession()
    {
        if (drag.joinable())
            drag.join();
    }

    // Waits for the drop to be handled; returns its seconds. A message box
    // met on the way is a failure of the test, answered so that it ends.
    double FinishDrop()
    {
        while (!dropped) {
            if (const HWND box = WaitForMessageBox(child, 100)) {
                ADD_FAILURE() << "unexpected message box";
                ClickOk(box);
            }
        }
        drag.join();
        EXPECT_EQ(result, DRAGDROP_S_DROP);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    ChildProcess child;

private:
    std::thread drag;
    HRESULT result = E_FAIL;
    std::atomic<bool> dropped{false};
    std::chrono::steady_clock::time_point start;
};

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
