// One move-only owner for every kind of Win32 handle, shared by the platform and the window
// framework: the closing function and the invalid value are template parameters, and each
// handle kind has its alias.
#pragma once

#include "platform/win32/WindowsApi.h"

#include <cstdint>
#include <utility>

namespace platform::win32 {

template <typename T, auto Close, std::intptr_t Invalid = 0>
class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    // Handle values are pointers; INVALID_HANDLE_VALUE is the pointer with the value -1.
    static T InvalidValue() noexcept { return reinterpret_cast<T>(Invalid); }

    T Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != InvalidValue(); }

    // Gives up ownership, e.g. when a window region is handed to the system.
    [[nodiscard]] T Release() noexcept { return std::exchange(handle_, InvalidValue()); }

    void Reset(T handle = InvalidValue()) noexcept {
        T old = std::exchange(handle_, handle);
        if (old != InvalidValue()) {
            Close(old);
        }
    }

  private:
    T handle_ = InvalidValue();
};

using UniqueFileHandle = UniqueHandle<HANDLE, &::CloseHandle, -1>;
using UniqueFindHandle = UniqueHandle<HANDLE, &::FindClose, -1>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;

}  // namespace platform::win32
