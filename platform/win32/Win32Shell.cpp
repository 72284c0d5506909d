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
        return ::GetLastError();
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
