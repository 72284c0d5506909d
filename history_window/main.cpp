// The program's entry: one instance at a time, found by its window class.
#include "history_window/ViewHistory_Unit.h"
#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "ui/Application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ui::Application application;
    if (FindWindowW(kWindowClassName, nullptr) != nullptr) {
        return 0;
    }
    // The store's message boxes are the application's, owned by the main window.
    platform::SetMessageBoxFunction(
        [&application](const std::string& text, const std::string& caption, unsigned flags) {
            return application.ShowMessageBox(platform::win32::Widen(text),
                                              platform::win32::Widen(caption), flags);
        });
    const int exitCode = application.Execute([](ui::Application& app) {
        app.SetTitle(platform::win32::Widen(kApplicationTitle));
        app.CreateForm<Tfrm_ViewHistory>();
    });
    platform::SetMessageBoxFunction(nullptr);
    return exitCode;
}
