// Drops on the real window's Picture1, made by DoDragDrop from this process
// with a file list of its own (a DROPFILES block, as the shell makes one).
#include "tests/windows/drop_session.h"

#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <stdexcept>

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

} // namespace

DropSession::DropSession(int option, std::vector<std::wstring> paths) : child(StartNomichron(L""))
{
    window = WaitForWindow(child, L"NomichronForm1", true, 10000);
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

double DropSession::FinishDrop()
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

