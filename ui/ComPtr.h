// A move-only owner of one COM interface pointer: it releases what it holds exactly once, and
// copying it is a compile error, so no reference is leaked or released twice.
#pragma once

#include <objbase.h>

#include <utility>

namespace ui {

template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference that the caller already owns.
    static ComPtr Attach(T* owned) noexcept {
        ComPtr result;
        result.ptr_ = owned;
        return result;
    }

    // Adds a reference of its own to a pointer that someone else owns.
    static ComPtr Share(T* borrowed) noexcept {
        if (borrowed != nullptr) {
            borrowed->AddRef();
        }
        return Attach(borrowed);
    }

    T* Get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

    // For out-parameters: drops what is held and hands out the slot to fill, as in
    // IID_PPV_ARGS(ptr.Put()).
    T** Put() noexcept {
        Reset();
        return &ptr_;
    }

    void Reset() noexcept {
        if (T* old = std::exchange(ptr_, nullptr)) {
            old->Release();
        }
    }

    // Asks the object for another of its interfaces; an empty pointer when it has none.
    template <typename U>
    HRESULT As(ComPtr<U>& out) const noexcept {
        if (ptr_ == nullptr) {
            out.Reset();
            return E_POINTER;
        }
        return ptr_->QueryInterface(IID_PPV_ARGS(out.Put()));
    }

  private:
    T* ptr_ = nullptr;
};

}  // namespace ui
