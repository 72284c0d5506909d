// Answers every message box that the system itself shows in this process (class "#32770"),
// as a user pressing OK would, from a thread of its own, and keeps their texts. The shell shows
// such boxes before it reports a failure; a test that captures the store's boxes through the
// message-box function sees only those here.
#pragma once

#include <windows.h>

#include <chrono>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace test {

class BoxDismisser {
  public:
    BoxDismisser() : thread_([this](std::stop_token stop) { Run(stop); }) {}

    std::vector<std::wstring> Finish() {
        thread_.request_stop();
        thread_.join();
        return texts_;
    }

  private:
    void Run(std::stop_token stop) {
        while (!stop.stop_requested()) {
            ::EnumWindows(&BoxDismisser::OnWindow, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    static BOOL CALLBACK OnWindow(HWND window, LPARAM self) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        ::GetClassNameW(window, className, 16);
        if (process == ::GetCurrentProcessId() && std::wstring(className) == L"#32770" &&
            ::IsWindowVisible(window)) {
            std::wstring text;
            for (HWND child = ::FindWindowExW(window, nullptr, L"Static", nullptr);
                 child != nullptr; child = ::FindWindowExW(window, child, L"Static", nullptr)) {
                wchar_t buffer[512] = {};
                text += std::wstring(buffer, ::GetWindowTextW(child, buffer, 512));
            }
            reinterpret_cast<BoxDismisser*>(self)->texts_.push_back(text);
            ::SendMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }

    std::vector<std::wstring> texts_;
    std::jthread thread_;
};

}  // namespace test
