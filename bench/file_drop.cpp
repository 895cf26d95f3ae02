#include "bench/file_drop.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <utility>

namespace {

// Lives on the caller's stack for the one drag: reference counts are moot.
template <typename Interface>
class StackObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        const bool known = IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, __uuidof(Interface));
        *object = known ? this : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class FileList final : public StackObject<IDataObject> {
public:
    FileList(const std::vector<std::wstring>& paths, const std::function<void()>& handingOver, Offer offer)
        : handingOver(handingOver), offer(offer)
    {
        std::wstring wide;
        for (const std::wstring& path : paths)
            wide.append(path).push_back(L'\0');
        wide.push_back(L'\0');
        list.assign(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
        if (offer == Offer::AnsiList) {
            list.assign(wide.size() * 2, '\0');
            list.resize(WideCharToMultiByte(
                CP_ACP, 0, wide.data(), int(wide.size()), list.data(), int(list.size()), nullptr, nullptr));
        }
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        if (handingOver)
            std::exchange(handingOver, nullptr)();
        const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
        auto* header = block ? static_cast<DROPFILES*>(GlobalLock(block)) : nullptr;
        if (header == nullptr)
            return E_OUTOFMEMORY;
        header->pFiles = sizeof(DROPFILES);
        header->fWide = offer != Offer::AnsiList;
        std::memcpy(header + 1, list.data(), list.size());
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
    std::string list; // the names as the block holds them
    std::function<void()> handingOver;
    Offer offer;
};

// Fed back the effect the target answered on entering, before the drop: the cursor a user would see.
class ReleaseAtOnce final : public StackObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        shown = effect;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    DWORD shown = DROPEFFECT_NONE;
};

} // namespace

long DropFiles(const std::vector<std::wstring>& paths, unsigned long* effect, const std::function<void()>& handingOver,
               Offer offer, unsigned long* shown)
{
    FileList data(paths, handingOver, offer);
    ReleaseAtOnce source;
    DWORD answered = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(&data, &source, DROPEFFECT_COPY, &answered);
    if (effect != nullptr)
        *effect = answered;
    if (shown != nullptr)
        *shown = source.shown;
    return result;
}
