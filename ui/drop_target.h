#pragma once

#include <windows.h>
#include <oleidl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "ui/com_ptr.h"

// Accepts file lists only (CF_HDROP), copied, and only while `ready` says so:
// other data, a source that does not offer a copy, or a list another handler
// would have to wait for gets the no-drop cursor. A drop reads the list once,
// by ReadFileList alone: what another program sends is read within its block
// or not at all, and a list refused there counts as none. It hands the list
// to `take`, which keeps it and answers whether it did: the source is let go
// as soon as the drop returns.
class DropTarget final : public IDropTarget {
public:
    using Taker = std::function<bool(std::vector<std::u16string>& paths)>;
    static ComPtr<DropTarget> Create(Taker take, std::function<bool()> ready);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    DropTarget(Taker take, std::function<bool()> ready) : take(std::move(take)), ready(std::move(ready)) {}
    ~DropTarget() = default;
    DWORD EffectFor(DWORD allowed) const;

    std::atomic<ULONG> references{1};
    Taker take;
    std::function<bool()> ready;
    bool offersFileList = false; // the data of the drag under way
};

// Registers a window as a drop target for as long as it lives.
class DropRegistration {
public:
    DropRegistration(HWND window, IDropTarget* target);
    ~DropRegistration();
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

private:
    HWND window;
};
