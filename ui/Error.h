// The framework's failures: a system call that fails becomes an exception at its call site,
// carrying the call's name, the code and the system's own text.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace ui {

// what() is GBK text, like every error text of the program, so the default error report can
// show any error the same way.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "<what> failed (<code>): <system text>"
[[noreturn]] void ThrowSystemError(const char* what, DWORD code);

// Reads GetLastError() at once, so call it directly after the failing call.
inline void ThrowLastErrorIf(bool failed, const char* what) {
    if (failed) {
        ThrowSystemError(what, ::GetLastError());
    }
}

inline void ThrowIfFailed(HRESULT result, const char* what) {
    if (FAILED(result)) {
        ThrowSystemError(what, static_cast<DWORD>(result));
    }
}

}  // namespace ui
