#include "platform/win32/Win32Error.h"

#include "platform/win32/WideText.h"

#include <array>

namespace platform::win32 {

std::string SystemReason(DWORD code) {
    std::array<wchar_t, 1024> buffer{};
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    if (length == 0) {
        return "System error " + std::to_string(code) + ".";
    }
    // The system's sentence ends in a line break that has no place inside a message.
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                          buffer[length - 1] == L' ')) {
        --length;
    }
    return Narrow(std::wstring_view(buffer.data(), length));
}

void RaiseSystemError(const std::string& what, DWORD code) {
    throw Error(what + ". " + SystemReason(code));
}

}  // namespace platform::win32
