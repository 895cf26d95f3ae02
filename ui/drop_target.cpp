#include "ui/drop_target.h"

#include <climits>
#include <memory>
#include <optional>
#include <string_view>

#include "app/file_list.h"
#include "ui/scoped_win.h"
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

// Names of an ANSI list are in the system's code page, as their sender wrote them.
std::u16string FromAnsiCodePage(std::string_view name)
{
    if (name.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length <= 0 || MultiByteToWideChar(CP_ACP, 0, name.data(), size, wide.data(), length) != length)
        return {};
    return std::u16string(wide.begin(), wide.end());
}

// The medium given back however the reading ends.
struct MediumRelease {
    void operator()(STGMEDIUM* medium) const { ReleaseStgMedium(medium); }
};

std::optional<std::vector<std::u16string>> ReadDroppedFiles(IDataObject* data)
{
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (data == nullptr || FAILED(data->GetData(&format, &medium)))
        return std::nullopt;
    const std::unique_ptr<STGMEDIUM, MediumRelease> release(&medium);
    if (medium.tymed != TYMED_HGLOBAL)
        return std::nullopt;
    // GlobalSize is 0 when it fails: an empty block, refused.
    const SIZE_T size = GlobalSize(medium.hGlobal);
    const GlobalLockScope locked(medium.hGlobal);
    if (locked.Data() == nullptr)
        return std::nullopt;
    return ReadFileList({static_cast<const unsigned char*>(locked.Data()), size}, FromAnsiCodePage);
}

} // namespace

ComPtr<DropTarget> DropTarget::Create(Taker take, std::function<bool()> ready)
{
    return ComPtr<DropTarget>::Adopt(new DropTarget(std::move(take), std::move(ready)));
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
    try {
        std::optional<std::vector<std::u16string>> paths = ReadDroppedFiles(data);
        if (!paths || !take(*paths))
            *effect = DROPEFFECT_NONE;
    } catch (...) {
        // Nothing may cross into OLE: a list too large to hold is refused
        // like one that does not hold together, and the window goes on.
        *effect = DROPEFFECT_NONE;
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
