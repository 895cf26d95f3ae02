#include "ui/drop_target.h"

#include <shellapi.h>

#include "core/failure.h"
#include "ui/scoped_win.h"
#include "ui/text_win.h"
#include "ui/win32_error.h"

namespace {

FORMATETC FileListFormat()
{
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool OffersFileList(IDataObject* data)
{
    FORMATETC format = FileListFormat();
    return data != nullptr && data->QueryGetData(&format) == S_OK;
}

} // namespace

Win32DropData::Win32DropData(IDataObject* data)
{
    FORMATETC format = FileListFormat();
    if (data != nullptr && SUCCEEDED(data->GetData(&format, &medium)) && medium.tymed == TYMED_HGLOBAL)
        drop = static_cast<HDROP>(medium.hGlobal);
}

Win32DropData::~Win32DropData()
{
    if (medium.tymed != TYMED_NULL)
        ReleaseStgMedium(&medium);
}

long long Win32DropData::FileCount()
{
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

std::u16string Win32DropData::PathAt(Int16 position)
{
    const UINT index = static_cast<UINT>(position - 1);
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0)
        throw Failure(FailureCause::PlatformCall, GetLastError());
    std::wstring path(length + 1, L'\0');
    if (DragQueryFileW(drop, index, path.data(), length + 1) != length)
        throw Failure(FailureCause::PlatformCall, GetLastError());
    path.resize(length);
    return FromWide(path.c_str());
}

ComPtr<DropTarget> DropTarget::Create(Handler handler)
{
    return ComPtr<DropTarget>::Adopt(new DropTarget(std::move(handler)));
}

HRESULT DropTarget::QueryInterface(REFIID id, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef()
{
    return ++references;
}

ULONG DropTarget::Release()
{
    const ULONG left = --references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    offeredEffect = OffersFileList(data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    *effect = offeredEffect;
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    *effect = offeredEffect;
    return S_OK;
}

HRESULT DropTarget::DragLeave()
{
    offeredEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    // Copy, never move: the source must not delete what it offered.
    *effect = OffersFileList(data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    offeredEffect = DROPEFFECT_NONE;
    const WaitCursor wait;
    Win32DropData dropData(data);
    try {
        handler(dropData);
    } catch (...) {
        // A failure the drop handler does not handle must not cross into OLE:
        // the program ends here, cleanly.
        PostQuitMessage(1);
    }
    return S_OK;
}

DropRegistration::DropRegistration(HWND window, IDropTarget* target) : window(window)
{
    ThrowIfFailed(RegisterDragDrop(window, target));
}

DropRegistration::~DropRegistration()
{
    RevokeDragDrop(window);
}
