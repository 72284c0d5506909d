#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace platform {

std::span<const char> Resource(std::string_view name, std::string_view type) {
    const auto missing = [&] { return Error("Resource " + std::string(name) + " not found"); };
    // Resources of the executable stay mapped for the life of the process: nothing to free.
    HRSRC found = ::FindResourceW(nullptr, win32::Widen(name).c_str(), win32::Widen(type).c_str());
    if (found == nullptr) {
        throw missing();
    }
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        throw missing();
    }
    return {static_cast<const char*>(data), ::SizeofResource(nullptr, found)};
}

}  // namespace platform
