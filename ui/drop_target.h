#pragma once

#include <windows.h>
#include <oleidl.h>
#include <shellapi.h>

#include <atomic>
#include <functional>

#include "app/platform.h"
#include "ui/com_ptr.h"

// The file list of an OLE drop, read with DragQueryFileW: each path's length
// is asked first, so paths of any length arrive whole.
class Win32DropData : public DropData {
public:
    explicit Win32DropData(IDataObject* data);
    ~Win32DropData() override;
    Win32DropData(const Win32DropData&) = delete;
    Win32DropData& operator=(const Win32DropData&) = delete;

    bool HasFileList() override { return drop != nullptr; }
    long long FileCount() override;
    std::u16string PathAt(Int16 position) override;

private:
    STGMEDIUM medium{};
    HDROP drop = nullptr;
};

// Accepts file lists only (CF_HDROP): other data gets the no-drop cursor.
// A drop runs the handler to its end, with the wait cursor showing.
class DropTarget final : public IDropTarget {
public:
    using Handler = std::function<void(DropData&)>;
    static ComPtr<DropTarget> Create(Handler handler);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    explicit DropTarget(Handler handler) : handler(std::move(handler)) {}
    ~DropTarget() = default;

    std::atomic<ULONG> references{1};
    Handler handler;
    DWORD offeredEffect = DROPEFFECT_NONE;
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
