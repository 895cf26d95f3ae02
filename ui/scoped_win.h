#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners for Win32 handles: each closes its handle exactly once.

struct HandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using ScopedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using ScopedLocal = std::unique_ptr<T, LocalFreer>;

struct WindowDestroyer {
    void operator()(HWND window) const
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }
};
using ScopedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
