// Starts the real ViewHistory.exe from a scratch folder of its own and watches it from outside,
// as a user's second program would.
#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace e2e {

// A folder under the temporary directory holding a copy of the program and its own "history"
// folder; removed with everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Executable() const { return path_ / L"ViewHistory.exe"; }
    std::filesystem::path History() const { return path_ / L"history"; }

  private:
    std::filesystem::path path_;
};

// One started process of the program.
class Program {
  public:
    // Starts the executable with the given show state (STARTUPINFO.wShowWindow).
    Program(const std::filesystem::path& executable, WORD showState = SW_SHOWNORMAL);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD ProcessId() const { return processId_; }

    // Waits for the process to end; the exit code, or nothing when it still runs after timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);

  private:
    platform::win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// The path of the program as built, beside which every scratch copy is made.
std::filesystem::path BuiltExecutable();

// The top-level window of class "KRV_HISTORY" that belongs to processId, waited for until it
// is visible and has handled what its showing queued.
HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs = 20000);

// Every top-level window of class "KRV_HISTORY", whoever owns it.
int CountMainWindows();

// Ends every leftover instance so that no window of an earlier case is found by the next.
void CloseAllInstances();

}  // namespace e2e
