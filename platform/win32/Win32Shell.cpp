// The shell request and the message box.
#include "platform/Platform.h"
#include "platform/SystemMessageBox.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace platform {

using win32::Widen;

namespace {

// An empty text stands for a null pointer in the shell's request.
const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The shell's own result code (SE_ERR_*) as a system error code.
DWORD ShellResultToError(INT_PTR result) {
    switch (result) {
        case SE_ERR_FNF:
            return ERROR_FILE_NOT_FOUND;
        case SE_ERR_PNF:
            return ERROR_PATH_NOT_FOUND;
        case SE_ERR_ACCESSDENIED:
            return ERROR_ACCESS_DENIED;
        case SE_ERR_OOM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_NOASSOC:
        case SE_ERR_ASSOCINCOMPLETE:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND:
            return ERROR_DLL_NOT_FOUND;
        default:
            return ERROR_GEN_FAILURE;
    }
}

}  // namespace

std::uint32_t ShellExecute(const ShellRequest& request) {
    const std::wstring verb = Widen(request.verb);
    const std::wstring file = Widen(request.file);
    const std::wstring parameters = Widen(request.parameters);
    const std::wstring directory = Widen(request.directory);

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = request.mask;
    info.lpVerb = OrNull(verb);
    info.lpFile = OrNull(file);
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = OrNull(directory);
    info.nShow = request.show;
    if (!::ShellExecuteExW(&info)) {
        const DWORD code = ::GetLastError();
        // The shell's own error box (shown unless the request suppresses it) can clear the last
        // error before the call returns; a failure must never come back as 0, so the shell's
        // result code stands in then.
        return code != ERROR_SUCCESS ? code
                                     : ShellResultToError(reinterpret_cast<INT_PTR>(info.hInstApp));
    }
    // Only a caller that asked for the started process gets a handle; nobody here keeps it.
    win32::UniqueKernelHandle process(info.hProcess);
    return 0;
}

namespace detail {

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ::MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

}  // namespace detail

}  // namespace platform
