#pragma once

#include <windows.h>
#include <oleidl.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "ui/com_ptr.h"

// The file list of an OLE drop, read once, when it arrives, by ReadFileList
// alone: what another program sends is read within its block or not at all.
// A list refused there counts as none.
class Win32DropData : public DropData {
public:
    explicit Win32DropData(IDataObject* data);

    bool HasFileList() override { return paths.has_value(); }
    long long FileCount() override { return static_cast<long long>(paths->size()); }
    std::u16string PathAt(Int16 position) override { return paths->at(static_cast<std::size_t>(position - 1)); }

private:
    std::optional<std::vector<std::u16string>> paths;
};

// Accepts file lists only (CF_HDROP), copied, and only while `ready` says so:
// other data, a source that does not offer a copy, or a list another handler
// would have to wait for gets the no-drop cursor. A drop runs the handler to
// its end, with the wait cursor showing.
class DropTarget final : public IDropTarget {
public:
    using Handler = std::function<void(DropData&)>;
    static ComPtr<DropTarget> Create(Handler handler, std::function<bool()> ready);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    DropTarget(Handler handler, std::function<bool()> ready) : handler(std::move(handler)), ready(std::move(ready)) {}
    ~DropTarget() = default;
    DWORD EffectFor(DWORD allowed) const;

    std::atomic<ULONG> references{1};
    Handler handler;
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
