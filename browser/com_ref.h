// A counted interface pointer: holds one reference and releases it when it goes away.
#pragma once

#include <unknwn.h>

#include <utility>

namespace browser {

template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef& other) : pointer_(other.pointer_)
    {
        if (pointer_)
            pointer_->AddRef();
    }
    ComRef& operator=(const ComRef& other)
    {
        ComRef copy(other);
        return *this = std::move(copy);
    }
    ComRef(ComRef&& other) noexcept : pointer_(other.Detach()) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = other.Detach();
        }
        return *this;
    }

    // Takes a reference of its own to `pointer`.
    static ComRef Share(T* pointer)
    {
        if (pointer)
            pointer->AddRef();
        return Adopt(pointer);
    }

    // Takes over a reference the caller already owns.
    static ComRef Adopt(T* pointer)
    {
        ComRef ref;
        ref.pointer_ = pointer;
        return ref;
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For out-parameters: drops what is held and lends the slot.
    T** Out()
    {
        Reset();
        return &pointer_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    T* Detach() { return std::exchange(pointer_, nullptr); }
    void Reset()
    {
        if (T* old = std::exchange(pointer_, nullptr))
            old->Release();
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace browser
