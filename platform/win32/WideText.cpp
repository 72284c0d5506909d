#include "platform/win32/WideText.h"

#include "platform/win32/WindowsApi.h"

#include <climits>
#include <stdexcept>

namespace platform::win32 {

namespace {

constexpr UINT kGbk = 936;

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long to convert");
    }
    return static_cast<int>(size);
}

}  // namespace

std::wstring Widen(std::string_view gbk) {
    if (gbk.empty()) {
        return {};
    }
    const int length = CheckedLength(gbk.size());
    const int wideLength = ::MultiByteToWideChar(kGbk, 0, gbk.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(kGbk, 0, gbk.data(), length, wide.data(), wideLength);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = CheckedLength(wide.size());
    const int gbkLength = ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                                nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<std::size_t>(gbkLength), '\0');
    ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), length, gbk.data(), gbkLength,
                          nullptr, nullptr);
    return gbk;
}

}  // namespace platform::win32
