// Helpers shared by the framework's tests: a form to put controls on, a way to let the message
// loop run until something happened, and real mouse and keyboard input.
#pragma once

#include "ui/Application.h"
#include "ui/Form.h"

#include <chrono>
#include <functional>

namespace ui::testing {

// A form whose controls a test makes in a callback, once the form's window exists.
class HostForm : public Form {
  public:
    explicit HostForm(std::function<void(HostForm&)> makeControls = {})
        : makeControls_(std::move(makeControls)) {}

  protected:
    void CreateControls() override {
        if (makeControls_) {
            makeControls_(*this);
        }
    }

  private:
    std::function<void(HostForm&)> makeControls_;
};

// Runs the application's message processing until done() holds or the time is up; returns
// done() at the end.
inline bool ProcessUntil(Application& application, const std::function<bool()>& done,
                         std::chrono::milliseconds limit = std::chrono::seconds(3)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        application.ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

// Brings the window to the front and gives it the input focus, as a user's click would.
inline void BringToFront(HWND window) {
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
}

// A real left click (press and release) at a point of the window's client area.
inline void ClickAt(HWND window, POINT client, bool withControl = false) {
    ::ClientToScreen(window, &client);
    ::SetCursorPos(client.x, client.y);
    INPUT inputs[4]{};
    int count = 0;
    auto key = [&](WORD vk, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = vk;
        inputs[count].ki.dwFlags = flags;
        ++count;
    };
    auto button = [&](DWORD flags) {
        inputs[count].type = INPUT_MOUSE;
        inputs[count].mi.dwFlags = flags;
        ++count;
    };
    if (withControl) {
        key(VK_CONTROL, 0);
    }
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    if (withControl) {
        key(VK_CONTROL, KEYEVENTF_KEYUP);
    }
    ::SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
}

// Alt held while a key is pressed and released, as real keyboard input.
inline void PressAltWith(WORD virtualKey) {
    INPUT inputs[4]{};
    const WORD keys[4] = {VK_MENU, virtualKey, virtualKey, VK_MENU};
    const DWORD flags[4] = {0, 0, KEYEVENTF_KEYUP, KEYEVENTF_KEYUP};
    for (int at = 0; at < 4; ++at) {
        inputs[at].type = INPUT_KEYBOARD;
        inputs[at].ki.wVk = keys[at];
        inputs[at].ki.dwFlags = flags[at];
    }
    ::SendInput(4, inputs, sizeof(INPUT));
}

// A key pressed and released, with Shift held when asked, as real keyboard input.
inline void PressKey(WORD virtualKey, bool withShift = false) {
    INPUT inputs[4]{};
    UINT count = 0;
    auto key = [&](WORD vk, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = vk;
        inputs[count].ki.dwFlags = flags;
        ++count;
    };
    if (withShift) {
        key(VK_SHIFT, 0);
    }
    key(virtualKey, 0);
    key(virtualKey, KEYEVENTF_KEYUP);
    if (withShift) {
        key(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    ::SendInput(count, inputs, sizeof(INPUT));
}

inline POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace ui::testing
