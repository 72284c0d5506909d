#include "ui/Error.h"

#include "platform/win32/WideText.h"

#include <cstdio>
#include <iterator>
#include <string_view>

namespace ui {

namespace {

// The system's own description of the code, without its line break and full stop.
std::wstring SystemText(DWORD code) {
    wchar_t text[512];
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, text, static_cast<DWORD>(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' ||
                          text[length - 1] == L' ' || text[length - 1] == L'.')) {
        --length;
    }
    return std::wstring(text, length);
}

}  // namespace

void ThrowSystemError(const char* what, DWORD code) {
    char number[16];
    // HRESULTs read better in hexadecimal, Win32 error codes in decimal.
    std::snprintf(number, sizeof number, code > 0xFFFF ? "0x%08lX" : "%lu",
                  static_cast<unsigned long>(code));
    std::string message = std::string(what) + " failed (" + number + ")";
    if (std::wstring reason = SystemText(code); !reason.empty()) {
        message += ": " + platform::win32::Narrow(reason);
    }
    throw Error(message);
}

}  // namespace ui
