// Turning a Win32 failure into platform::Error at the call site. The code is read from
// GetLastError() before anything else runs, so that building the message cannot overwrite it.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/WindowsApi.h"

#include <string>

namespace platform::win32 {

// The system's text for an error code, in GBK, without its trailing line end.
std::string SystemReason(DWORD code);

// Raises `<what>. <system reason>`.
[[noreturn]] void RaiseSystemError(const std::string& what, DWORD code);

// Raises `<describe()>. <reason of GetLastError()>` when failed is true; describe runs only then.
template <typename Describe>
void RaiseLastErrorIf(bool failed, Describe&& describe) {
    if (failed) {
        const DWORD code = ::GetLastError();
        RaiseSystemError(describe(), code);
    }
}

}  // namespace platform::win32
