#include "ui/drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "core/failure.h"
#include "ui/scoped_win.h"
#include "ui/text_win.h"
#include "ui/unhandled_failure.h"
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

// DragQueryFileW trusts the block's header: the list must start inside the
// block, and its names, each ended by a NUL, must end with an empty one
// before the block does. Wide or ANSI, as the header says.
bool IsWholeFileList(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const GlobalLockScope locked(block);
    const auto* bytes = static_cast<const unsigned char*>(locked.Data());
    DROPFILES header{};
    if (bytes == nullptr || size < sizeof(header))
        return false;
    std::memcpy(&header, bytes, sizeof(header));
    const std::size_t unit = header.fWide ? 2 : 1;
    bool nameStarts = true;
    for (std::size_t at = header.pFiles; at + unit <= size; at += unit) {
        const bool nul = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
        if (nul && nameStarts)
            return true;
        nameStarts = nul;
    }
    return false;
}

} // namespace

Win32DropData::Win32DropData(IDataObject* data)
{
    FORMATETC format = FileListFormat();
    if (data != nullptr && SUCCEEDED(data->GetData(&format, &medium)) && medium.tymed == TYMED_HGLOBAL &&
        IsWholeFileList(medium.hGlobal))
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
        ThrowLastError("DragQueryFileW");
    std::wstring path(length + 1, L'\0');
    if (DragQueryFileW(drop, index, path.data(), length + 1) != length)
        ThrowLastError("DragQueryFileW");
    path.resize(length);
    return FromWide(path.c_str());
}

ComPtr<DropTarget> DropTarget::Create(Handler handler, std::function<bool()> ready)
{
    return ComPtr<DropTarget>::Adopt(new DropTarget(std::move(handler), std::move(ready)));
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

// Copy, never move: a source told "move" deletes what it thinks it moved.
// And only among the effects the source allows.
DWORD DropTarget::EffectFor(DWORD allowed) const
{
    return offersFileList && (allowed & DROPEFFECT_COPY) && ready() ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    offersFileList = OffersFileList(data);
    *effect = EffectFor(*effect);
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    *effect = EffectFor(*effect);
    return S_OK;
}

HRESULT DropTarget::DragLeave()
{
    offersFileList = false;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    offersFileList = OffersFileList(data);
    *effect = EffectFor(*effect);
    offersFileList = false;
    if (*effect == DROPEFFECT_NONE)
        return S_OK;
    const WaitCursor wait;
    Win32DropData dropData(data);
    if (!dropData.HasFileList()) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    try {
        handler(dropData);
    } catch (...) {
        // A failure the drop handler does not handle must not cross into OLE:
        // the program ends here, cleanly.
        ReportUnhandledFailure("a drop");
        PostQuitMessage(1);
    }
    return S_OK;
}

DropRegistration::DropRegistration(HWND window, IDropTarget* target) : window(window)
{
    ThrowIfFailed(RegisterDragDrop(window, target), "RegisterDragDrop");
}

DropRegistration::~DropRegistration()
{
    RevokeDragDrop(window);
}
