#include "tests/e2e/ProgramUnderTest.h"

#include <chrono>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace e2e {

namespace {

constexpr wchar_t kClassName[] = L"KRV_HISTORY";

[[noreturn]] void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
    int count;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring_view(className) != kClassName) {
        return TRUE;
    }
    ++search.count;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner == search.processId) {
        search.found = window;
    }
    return TRUE;
}

WindowSearch SearchMainWindows(DWORD processId) {
    WindowSearch search{processId, nullptr, 0};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp) == 0) {
        ThrowLastError("GetTempPathW");
    }
    static unsigned serial = 0;
    path_ = std::filesystem::path(temp) / (L"krv-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(++serial));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(History());
    std::filesystem::copy_file(BuiltExecutable(), Executable());
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Program::Program(const std::filesystem::path& executable, WORD showState) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showState;
    std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
    const std::wstring directory = executable.parent_path().wstring();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &started)) {
        ThrowLastError("CreateProcessW");
    }
    process_.Reset(started.hProcess);
    const platform::win32::UniqueKernelHandle thread(started.hThread);
    processId_ = started.dwProcessId;
}

Program::~Program() {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 255);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

std::filesystem::path BuiltExecutable() {
    // The build passes the Linux path of the executable; Wine shows the Linux root as drive Z.
    std::wstring path = std::filesystem::path(KRV_VIEWHISTORY_EXE).wstring();
    if (!path.empty() && path.front() == L'/') {
        path = L"Z:" + path;
    }
    return std::filesystem::path(path).make_preferred();
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        // Visible means shown with its controls made; the empty message waits for what the
        // showing queued to be handled.
        const HWND window = SearchMainWindows(processId).found;
        if (window != nullptr && IsWindowVisible(window)) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &ignored);
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("the program's main window did not appear");
}

int CountMainWindows() {
    return SearchMainWindows(0).count;
}

void CloseAllInstances() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (HWND window = FindWindowW(kClassName, nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        platform::win32::UniqueKernelHandle process(
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
        if (process) {
            TerminateProcess(process.Get(), 255);
            WaitForSingleObject(process.Get(), 5000);
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("a leftover instance of the program does not end");
        }
    }
}

}  // namespace e2e
