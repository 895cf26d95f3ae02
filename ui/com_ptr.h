#pragma once

#include <unknwn.h>

#include <utility>

// Owns one reference to a COM object.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* object)
    {
        ComPtr owner;
        owner.object = object;
        return owner;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        std::swap(object, other.object);
        return *this;
    }
    ~ComPtr()
    {
        if (object)
            object->Release();
    }

    // For a call that hands out a reference: drops the one held, then takes the new one.
    T** Put()
    {
        ComPtr().swap(*this);
        return &object;
    }
    void swap(ComPtr& other) noexcept { std::swap(object, other.object); }

    T* get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};
